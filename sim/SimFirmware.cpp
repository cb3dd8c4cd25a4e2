#include "sim/SimFirmware.h"

#include <algorithm>
#include <map>

#include "sim/SimDisplay.h"
#include "sim/SimFrameCodec.h"
#include "sim/SimFrontPanel.h"
#include "sim/SimKeyLayout.h"
#include "sim/SimModel.h"
#include "sim/SimSettingsRules.h"

namespace {

constexpr std::uint8_t kAnswer = kSimAnswerBit;
constexpr std::uint8_t kEndOfReadMode = 0x85;
constexpr std::uint8_t kSubLength = 0, kSubSamples = 1, kSubEnd = 2, kSubAbandoned = 3;
constexpr std::uint8_t kSubText = 1, kSubTextEnd = 2;
constexpr std::uint8_t kSubScreen = 1, kSubScreenEnd = 2;
constexpr std::size_t kMenuTableSize = 240;
constexpr std::size_t kSmallTableSize = 128;

SimPacket Answer(std::uint8_t command, const std::vector<std::uint8_t>& data = {}) {
    return EncodeSimAnswer(static_cast<std::uint8_t>(command + kAnswer), data);
}

std::uint8_t Arg(const std::vector<std::uint8_t>& args, std::size_t i) { return i < args.size() ? args[i] : 0; }

const SimModelInfo& ModelOf(const SimOptions& options) {
    const SimModelInfo* model = FindSimModel(options.modelNumber);
    return model ? *model : SimModels().back();
}

// The width of a small parameter by its position: 1, 2, 4 or 8 bytes in four ranges of 32.
std::size_t SmallParamWidth(std::size_t position) { return std::size_t{1} << (position / 32); }

}  // namespace

CSimFirmware::CSimFirmware(const SimOptions& options)
    : m_state(ModelOf(options)), m_faults(options.faults), m_pieceBytes(options.pieceBytes) {
    m_state.ch1 = options.ch1;
    m_state.ch2 = options.ch2;
    m_state.seed = options.seed;
    CSimSettingsRules::LoadDefaultSetup(m_state.block, *m_state.model);
}

std::string CSimFirmware::ProtocolDescription() const { return m_state.block.Layout().DescriptionText(); }
std::string CSimFirmware::KeyDescription() const { return CSimKeyLayout::Standard().DescriptionText(); }

std::vector<SimPacket> CSimFirmware::HandleFrame(const std::uint8_t* frame, std::size_t length) {
    SimCommandFrame command;
    if (!DecodeSimCommandFrame(frame, length, &command)) {
        ++m_framesRejected;
        return {};  // a damaged frame is not answered
    }
    ++m_framesHandled;
    return Dispatch(command.code, command.args);
}

std::vector<SimPacket> CSimFirmware::Dispatch(std::uint8_t code, const std::vector<std::uint8_t>& args) {
    static const std::map<std::uint8_t, Handler> handlers = {
        {0, &CSimFirmware::Disconnect},    {1, &CSimFirmware::Status},        {2, &CSimFirmware::Waveform},
        {3, &CSimFirmware::SmallTables},   {14, &CSimFirmware::MenuEntry},    {15, &CSimFirmware::SmallParam},
        {16, &CSimFirmware::ConfigFile},   {17, &CSimFirmware::TakeBlock},    {18, &CSimFirmware::ReadMode},
        {19, &CSimFirmware::Key},          {30, &CSimFirmware::StoreMenuEntry}, {31, &CSimFirmware::StoreSmallParam},
        {32, &CSimFirmware::Screen},
    };
    auto it = handlers.find(code);
    if (it != handlers.end())
        return (this->*(it->second))(args);
    if (code == 4)
        return {Answer(4)};
    return {Answer(0)};  // acknowledged, nothing to do
}

std::vector<SimPacket> CSimFirmware::Disconnect(const std::vector<std::uint8_t>&) {
    m_state.readMode = false;
    return {Answer(0)};
}

std::vector<SimPacket> CSimFirmware::Status(const std::vector<std::uint8_t>&) {
    Advance();
    CSimAcquisition::UpdateReportedValues(m_state);
    return {Answer(1, m_state.block.Bytes())};
}

void CSimFirmware::Advance() {
    if (m_state.run != SimRunState::SingleArmed)
        return;
    const int length = CSimAcquisition::RecordLength(m_state.block);
    if (CSimAcquisition::FindTrigger(m_state, CSimAcquisition::Timing(m_state, length)).triggered) {
        ++m_state.acquisition;
        m_state.run = SimRunState::SingleDone;
    }
}

void CSimFirmware::Acquire() {
    if (m_state.run == SimRunState::Running && !m_state.readMode)
        ++m_state.acquisition;
}

const SimRecords& CSimFirmware::Records() {
    const bool fresh = m_recordsAcquisition == m_state.acquisition && m_recordsBlock == m_state.block.Bytes() &&
                       m_recordsRun == m_state.run;
    if (!fresh) {
        m_records = CSimAcquisition::Render(m_state, CSimAcquisition::RecordLength(m_state.block));
        m_recordsAcquisition = m_state.acquisition;
        m_recordsBlock = m_state.block.Bytes();
        m_recordsRun = m_state.run;
    }
    return m_records;
}

std::size_t CSimFirmware::PieceSize(std::size_t largest, std::size_t usual) const {
    return m_pieceBytes > 0 ? std::min(static_cast<std::size_t>(m_pieceBytes), largest) : usual;
}

std::vector<SimPacket> CSimFirmware::Pieces(std::uint8_t code, const std::vector<std::uint8_t>& head,
                                            const std::uint8_t* data, std::size_t count, std::size_t piece) const {
    std::vector<SimPacket> packets;
    for (std::size_t at = 0; at < count; at += piece) {
        std::vector<std::uint8_t> body = head;
        body.insert(body.end(), data + at, data + std::min(count, at + piece));
        packets.push_back(EncodeSimAnswer(code, body));
    }
    return packets;
}

std::vector<SimPacket> CSimFirmware::Waveform(const std::vector<std::uint8_t>& args) {
    const std::uint8_t channel = Arg(args, 1);
    const bool shown = channel <= 1 && m_state.block.Get(channel == 0 ? "VERT-CH1-DISP" : "VERT-CH2-DISP") != 0;
    if (Arg(args, 0) != 1 || args.size() < 2 || !shown)
        return {Answer(2, {kSubAbandoned})};
    Advance();
    Acquire();
    const std::vector<std::uint8_t>& samples = channel == 0 ? Records().ch1 : Records().ch2;
    const std::size_t n = samples.size();
    std::vector<SimPacket> packets = {Answer(2, {kSubLength, static_cast<std::uint8_t>(n & 0xFF),
                                                 static_cast<std::uint8_t>((n >> 8) & 0xFF),
                                                 static_cast<std::uint8_t>((n >> 16) & 0xFF)})};
    const std::size_t piece = PieceSize(kMaxSamplesPerPiece, kMaxSamplesPerPiece);
    for (SimPacket& p : Pieces(2 + kAnswer, {kSubSamples, channel}, samples.data(), n, piece))
        packets.push_back(std::move(p));
    packets.push_back(Answer(2, {kSubEnd, channel}));
    return packets;
}

std::vector<SimPacket> CSimFirmware::SmallTables(const std::vector<std::uint8_t>&) {
    std::vector<std::uint8_t> data(m_state.smallParams.begin(), m_state.smallParams.end());
    data.insert(data.end(), m_state.menuParams.begin(), m_state.menuParams.end());
    return {Answer(3, data)};
}

std::vector<SimPacket> CSimFirmware::MenuEntry(const std::vector<std::uint8_t>& args) {
    const std::size_t index = std::size_t{Arg(args, 0)} * 6 + Arg(args, 1);
    return {Answer(14, {index < kMenuTableSize ? m_state.menuParams[index] : std::uint8_t{0}})};
}

std::vector<SimPacket> CSimFirmware::SmallParam(const std::vector<std::uint8_t>& args) {
    const std::size_t position = Arg(args, 2);
    if (position >= kSmallTableSize)
        return {Answer(15, {0, 1, Arg(args, 2), 0})};  // width 0: nothing to store
    const std::size_t width = SmallParamWidth(position);
    std::vector<std::uint8_t> data = {static_cast<std::uint8_t>(width), 1, static_cast<std::uint8_t>(position), 0};
    const std::size_t end = std::min(position + width, kSmallTableSize);
    data.insert(data.end(), m_state.smallParams.begin() + position, m_state.smallParams.begin() + end);
    data.resize(4 + width, 0);
    return {Answer(15, data)};
}

std::vector<SimPacket> CSimFirmware::ConfigFile(const std::vector<std::uint8_t>& args) {
    const std::string name(args.begin() + std::min<std::size_t>(1, args.size()), args.end());
    std::string text;
    bool damage = false;
    if (name == "/protocol.inf") {
        text = ProtocolDescription();
        damage = m_protocolTransfers++ < m_faults.damagedDescriptions;
    } else if (name == "/keyprotocol.inf" && !m_faults.noKeyDescription) {
        text = KeyDescription();
    } else {
        return {};  // no such file on the instrument
    }
    const std::uint8_t sum = SimByteSum(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (damage)
        text[text.size() / 2] ^= 0x01;  // one bit lost on the way; the end packet keeps the true sum
    std::vector<SimPacket> packets =
        Pieces(16 + kAnswer, {kSubText}, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
               PieceSize(kMaxBytesPerPiece, kTextPiece));
    packets.push_back(Answer(16, {kSubTextEnd, sum}));
    return packets;
}

std::vector<SimPacket> CSimFirmware::TakeBlock(const std::vector<std::uint8_t>& args) {
    CSimSettingsRules::AcceptHostBlock(m_state.block, args, *m_state.model);
    return {Answer(17)};
}

std::vector<SimPacket> CSimFirmware::ReadMode(const std::vector<std::uint8_t>& args) {
    const std::uint8_t position = Arg(args, 0);
    const std::uint8_t value = Arg(args, 1);
    std::vector<SimPacket> packets = {Answer(18, {position, value})};
    if (value == 1 && !m_state.readMode) {
        Advance();
        Acquire();
        m_state.readMode = true;
    } else if (value == 0 && m_state.readMode) {
        m_state.readMode = false;
        packets.push_back(EncodeSimAnswer(kEndOfReadMode, nullptr, 0));
    }
    return packets;
}

std::vector<SimPacket> CSimFirmware::Key(const std::vector<std::uint8_t>& args) {
    const std::string name = CSimKeyLayout::Standard().NameOf(Arg(args, 0));
    if (!name.empty())
        CSimFrontPanel::PressKey(m_state, name);
    return {Answer(19)};
}

std::vector<SimPacket> CSimFirmware::StoreMenuEntry(const std::vector<std::uint8_t>& args) {
    const std::size_t index = std::size_t{Arg(args, 0)} * 6 + Arg(args, 1);
    if (index < kMenuTableSize)
        m_state.menuParams[index] = Arg(args, 2);
    return {Answer(30)};
}

std::vector<SimPacket> CSimFirmware::StoreSmallParam(const std::vector<std::uint8_t>& args) {
    // Value form: size, 1, position, 0, value bytes. Block form: size, count,
    // base, 0, count bytes.
    const std::size_t count = Arg(args, 1) == 1 ? Arg(args, 0) : Arg(args, 1);
    const std::size_t position = Arg(args, 2);
    if (args.size() >= 4 + count && position + count <= kSmallTableSize)
        std::copy(args.begin() + 4, args.begin() + 4 + static_cast<std::ptrdiff_t>(count),
                  m_state.smallParams.begin() + static_cast<std::ptrdiff_t>(position));
    return {Answer(31)};
}

std::vector<SimPacket> CSimFirmware::Screen(const std::vector<std::uint8_t>&) {
    Advance();
    Acquire();
    const std::vector<std::uint8_t> image = RenderScreen(CSimDisplay::Compose(m_state));
    std::vector<SimPacket> packets = Pieces(32 + kAnswer, {kSubScreen}, image.data(), image.size(),
                                            PieceSize(kMaxBytesPerPiece, kMaxBytesPerPiece));
    packets.push_back(Answer(32, {kSubScreenEnd}));
    return packets;
}
