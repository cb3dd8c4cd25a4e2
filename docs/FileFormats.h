#pragma once
// The registry of data-file formats. Each kind's document registers its
// format from its own .cpp file:
//
//   QV_FILE_FORMAT(".wfm", CYTSheetDoc);
//
// and so gets the round trip and truncation tests that run over every
// registered format (tests/gui/test_file_formats.cpp).
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDataDoc;

struct FileFormat {
    std::string extension;                               // ".wfm"
    std::function<std::unique_ptr<CDataDoc>()> make;     // a new document of the format
};

bool RegisterFileFormat(FileFormat format);
// The registered formats, in registration order.
const std::vector<FileFormat>& FileFormats();

#define QV_FILE_FORMAT_CONCAT2(a, b) a##b
#define QV_FILE_FORMAT_CONCAT(a, b) QV_FILE_FORMAT_CONCAT2(a, b)
#define QV_FILE_FORMAT(extension, DocClass)                                                         \
    static const bool QV_FILE_FORMAT_CONCAT(qvFileFormatRegistered_, __LINE__) = RegisterFileFormat( \
        FileFormat{extension, [] { return std::unique_ptr<CDataDoc>(new DocClass); }})
