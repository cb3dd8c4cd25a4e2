#include "sim/SimFrameCodec.h"

namespace {

constexpr std::uint8_t kRawCommand = 127;
constexpr std::uint8_t kConfigRequest = 16;
constexpr std::uint8_t kSmallParamWrite = 31;

int Fail(std::string* error, const char* why) {
    if (error)
        *error = why;
    return 0;
}

// The frames whose last byte may be "f" instead of the sum.
bool MayCarryLetterF(std::uint8_t code) {
    return code == kConfigRequest || code == kRawCommand || code == kSmallParamWrite;
}

std::vector<std::uint8_t> Envelope(std::uint8_t mark, std::uint8_t code, const std::uint8_t* data,
                                   std::size_t count) {
    const std::size_t total = count + kSimEnvelopeBytes;
    const std::size_t lengthField = total - 3;
    std::vector<std::uint8_t> packet;
    packet.reserve(total);
    packet.push_back(mark);
    packet.push_back(static_cast<std::uint8_t>(lengthField & 0xFF));
    packet.push_back(static_cast<std::uint8_t>((lengthField >> 8) & 0xFF));
    packet.push_back(code);
    packet.insert(packet.end(), data, data + count);
    packet.push_back(SimByteSum(packet.data(), packet.size()));
    return packet;
}

}  // namespace

std::uint8_t SimByteSum(const std::uint8_t* data, std::size_t count) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum = static_cast<std::uint8_t>(sum + data[i]);
    return sum;
}

int DecodeSimCommandFrame(const std::uint8_t* data, std::size_t length, SimCommandFrame* out,
                          std::string* error) {
    if (!data || length < kSimEnvelopeBytes - 1)
        return Fail(error, "frame shorter than its envelope");
    const std::uint8_t mark = data[0];
    if (mark != kSimStartMark && mark != kSimStartMarkRaw)
        return Fail(error, "unknown start mark");
    const std::size_t total = static_cast<std::size_t>(data[1] | (data[2] << 8)) + 3;
    if (total != length)
        return Fail(error, "length field does not match the frame");
    if (total < kSimEnvelopeBytes)
        return Fail(error, "frame has no code or no check byte");
    const std::uint8_t code = data[3];
    if ((mark == kSimStartMarkRaw) != (code == kRawCommand))
        return Fail(error, "start mark does not fit the command");
    const std::uint8_t check = data[total - 1];
    const bool sumMatches = check == SimByteSum(data, total - 1);
    const bool letterF = !sumMatches && check == kSimCheckLetter && MayCarryLetterF(code);
    if (!sumMatches && !letterF)
        return Fail(error, "check byte does not match");
    out->startMark = mark;
    out->code = code;
    out->args.assign(data + 4, data + total - 1);
    out->checkIsLetterF = letterF;
    return 1;
}

std::vector<std::uint8_t> EncodeSimAnswer(std::uint8_t code, const std::uint8_t* data, std::size_t count) {
    return Envelope(kSimStartMark, code, data, count);
}

std::vector<std::uint8_t> EncodeSimAnswer(std::uint8_t code, const std::vector<std::uint8_t>& data) {
    return Envelope(kSimStartMark, code, data.data(), data.size());
}

std::vector<std::uint8_t> EncodeSimCommand(std::uint8_t code, const std::vector<std::uint8_t>& args,
                                           bool letterF) {
    const std::uint8_t mark = code == kRawCommand ? kSimStartMarkRaw : kSimStartMark;
    std::vector<std::uint8_t> frame = Envelope(mark, code, args.data(), args.size());
    if (letterF)
        frame.back() = kSimCheckLetter;
    return frame;
}
