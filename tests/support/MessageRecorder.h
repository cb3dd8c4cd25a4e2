#pragma once
// Collects what the program shows the user (message boxes) and the notes for
// the message pane while it lives, from any thread; the default sinks come
// back when it goes. One recorder at a time.
#include <string>
#include <vector>

class CMessageRecorder {
public:
    CMessageRecorder();
    ~CMessageRecorder();
    CMessageRecorder(const CMessageRecorder&) = delete;
    CMessageRecorder& operator=(const CMessageRecorder&) = delete;

    static std::vector<std::string> Messages();
    static std::vector<std::string> Notes();
    static void Clear();
};
