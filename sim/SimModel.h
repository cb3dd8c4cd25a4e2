#pragma once
// The instrument models the simulator can be. Each one is a model whose
// settings files the program ships (config/<name>_eng.ini); the model number
// is what the instrument reports in "CONTROL-TYPE".
#include <string>
#include <vector>

struct SimModelInfo {
    int number = 0;             // index into the program's model-name table
    std::string name;           // e.g. "QX1202"
    int bandwidthMHz = 0;
    std::string sampleRateText; // shown on the screen
    std::vector<int> triggerCouplings;  // valid codes of "TRIG-COUP"
    int maxFftFactor = 0;       // highest code of "MATH-FFT-FACTOR"
    int maxMeasureItem = 0;     // highest code of "MEASURE-ITEMn"
};

// Every simulated model, lowest model number first.
const std::vector<SimModelInfo>& SimModels();

// The model of a number or a name ("4" or "QX1202", case-insensitive);
// null when no simulated model matches.
const SimModelInfo* FindSimModel(const std::string& numberOrName);
const SimModelInfo* FindSimModel(int number);
