#include "link/UserMessage.h"

#include <atomic>
#include <cstdio>

namespace {
void PrintOnStderr(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

std::atomic<UserMessageSink> s_sink{nullptr};
std::atomic<UserMessageSink> s_noteSink{nullptr};
}  // namespace

void SetUserMessageSink(UserMessageSink sink)
{
    s_sink.store(sink);
}

void ShowUserMessage(const std::string& text)
{
    UserMessageSink sink = s_sink.load();
    (sink ? sink : PrintOnStderr)(text);
}

void SetUserNoteSink(UserMessageSink sink)
{
    s_noteSink.store(sink);
}

void ShowUserNote(const std::string& text)
{
    UserMessageSink sink = s_noteSink.load();
    (sink ? sink : PrintOnStderr)(text);
}
