#include "support/MessageRecorder.h"

#include <mutex>

#include "link/UserMessage.h"

namespace {
std::mutex s_lock;
std::vector<std::string> s_messages;
std::vector<std::string> s_notes;

void RecordMessage(const std::string& text)
{
    std::lock_guard<std::mutex> lock(s_lock);
    s_messages.push_back(text);
}

void RecordNote(const std::string& text)
{
    std::lock_guard<std::mutex> lock(s_lock);
    s_notes.push_back(text);
}
}  // namespace

CMessageRecorder::CMessageRecorder()
{
    Clear();
    SetUserMessageSink(RecordMessage);
    SetUserNoteSink(RecordNote);
}

CMessageRecorder::~CMessageRecorder()
{
    SetUserMessageSink(nullptr);
    SetUserNoteSink(nullptr);
}

std::vector<std::string> CMessageRecorder::Messages()
{
    std::lock_guard<std::mutex> lock(s_lock);
    return s_messages;
}

std::vector<std::string> CMessageRecorder::Notes()
{
    std::lock_guard<std::mutex> lock(s_lock);
    return s_notes;
}

void CMessageRecorder::Clear()
{
    std::lock_guard<std::mutex> lock(s_lock);
    s_messages.clear();
    s_notes.clear();
}
