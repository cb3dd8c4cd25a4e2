// quorvex-cli's link commands, run as the user runs them, against the
// simulated instrument (and against an absent USB instrument).
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Qt starts a child with fork() from uninstrumented code, after which the
// thread checker no longer sees this process's locks and reports races that
// are none; the link itself is checked under it by the session tests.
#if defined(__SANITIZE_THREAD__)
#define SKIP_UNDER_THREAD_CHECKER() GTEST_SKIP() << "child processes are not run under the thread checker"
#else
#define SKIP_UNDER_THREAD_CHECKER() (void)0
#endif

CliRun RunCliAt(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    CliRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

CliRun RunCli(const QStringList& args)
{
    return RunCliAt(QString(QV_BIN_DIR) + "/quorvex-cli", args);
}

// A copy of the tool in a folder of its own, beside its own "Param.ini" (the
// tool reads the one beside itself) and the shipped per-model tables.
class CliCopy {
public:
    explicit CliCopy(const QByteArray& paramIni)
    {
        const QString bin(QV_BIN_DIR);
        m_ok = m_dir.isValid() && QFile::copy(bin + "/quorvex-cli", m_dir.filePath("quorvex-cli")) &&
               QFile::link(bin + "/config", m_dir.filePath("config"));
        QFile ini(m_dir.filePath("Param.ini"));
        m_ok = m_ok && ini.open(QIODevice::WriteOnly) && ini.write(paramIni) == paramIni.size();
    }
    bool Ok() const { return m_ok; }
    CliRun Run(const QStringList& args) const { return RunCliAt(m_dir.filePath("quorvex-cli"), args); }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// The value of NAME in "NAME VALUE" lines, or -1.
long long ValueOf(const QString& lines, const QString& name)
{
    for (const QString& line : lines.split('\n')) {
        const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
        if (parts.size() == 2 && parts[0] == name)
            return parts[1].toLongLong();
    }
    return -1;
}
}  // namespace

TEST(CliLink, InfoDumpAndSetAgainstTheSimulator)
{
    SKIP_UNDER_THREAD_CHECKER();
    const CliRun info = RunCli({"--sim=model=0", "info"});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains("model      0 QX1022")) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains("keys       ")) << info.out.toStdString();

    const CliRun dump = RunCli({"--sim=model=0", "dump"});
    ASSERT_EQ(dump.exitCode, 0);
    EXPECT_EQ(ValueOf(dump.out, "CONTROL-TYPE"), 0);
    EXPECT_GT(dump.out.count('\n'), 100);

    const CliRun set = RunCli({"--sim=model=0", "set", "VERT-CH1-POS=20", "TRIG-MODE=99"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(ValueOf(set.out, "VERT-CH1-POS"), 20);
    EXPECT_NE(ValueOf(set.out, "TRIG-MODE"), 99);  // not a mode: the instrument kept its own

    EXPECT_EQ(RunCli({"--sim=seed=1", "set", "NO-SUCH=1"}).exitCode, 2);
    EXPECT_EQ(RunCli({"--sim=seed=1", "set", "VERT-CH1-POS"}).exitCode, 2);
}

TEST(CliLink, PressKeysAlsoOverALossyLink)
{
    SKIP_UNDER_THREAD_CHECKER();
    const CliRun press = RunCli({"--sim=fault=drop:0.05,fault=badsum:0.05,seed=7", "press", "CT-RS-KEY", "FN-1-KEY"});
    ASSERT_EQ(press.exitCode, 0) << press.err.toStdString();
    EXPECT_GE(ValueOf(press.out, "CT-RS-KEY"), 0);
    EXPECT_GE(ValueOf(press.out, "FN-1-KEY"), 0);

    EXPECT_EQ(RunCli({"--sim=seed=1", "press", "NO-SUCH-KEY"}).exitCode, 2);
    const CliRun noKeys = RunCli({"--sim=fault=nokeys", "press", "CT-RS-KEY"});
    EXPECT_EQ(noKeys.exitCode, 1);
    EXPECT_TRUE(noKeys.err.contains("Virtual Keyboard"));
}

TEST(CliLink, AbsentUsbInstrumentFailsWithTheMessageInEitherLanguage)
{
    SKIP_UNDER_THREAD_CHECKER();
    const CliRun english = RunCli({"--usb", "info"});
    EXPECT_EQ(english.exitCode, 1);
    EXPECT_EQ(english.err.trimmed(), "Please check the oscillograph whether already connected!");
    const CliRun chinese = RunCli({"--usb", "--language", "1", "info"});
    EXPECT_EQ(chinese.exitCode, 1);
    EXPECT_EQ(chinese.err.trimmed(), QString::fromUtf8("请检查示波器是否已经连接！"));
}

// One device rule for every command: --sim in any form is the simulator even
// when "Param.ini" asks for USB, --usb and "Param.ini" are the (absent) USB
// instrument, and a malformed or contradictory choice is bad usage.
TEST(CliLink, EveryCommandChoosesTheInstrumentByTheSameRule)
{
    SKIP_UNDER_THREAD_CHECKER();
    const CliCopy tool("[USB]\nBackend=usb\nVendorId=0x04B4\nProductId=0x8613\n");
    ASSERT_TRUE(tool.Ok());
    const QList<QStringList> commands = {
        {"info"}, {"dump"}, {"set", "VERT-CH1-POS=20"}, {"press", "CT-RS-KEY"},
        {"settings"}, {"edit", "15@1=0.4"}, {"capture", "--count", "1"},
    };
    const struct {
        QStringList flags;
        int status;
    } forms[] = {
        {{}, 1},                        // Param.ini: the USB instrument, not attached
        {{"--usb"}, 1},
        {{"--sim"}, 0},
        {{"--sim="}, 0},
        {{"--sim=seed=3"}, 0},
        {{"--sim=model=9"}, 2},         // no such simulated model
        {{"--sim=", "--usb"}, 2},
        {{"--usb", "--sim"}, 2},
    };
    for (const QStringList& command : commands)
        for (const auto& form : forms) {
            const CliRun run = tool.Run(form.flags + command);
            EXPECT_EQ(run.exitCode, form.status)
                << (form.flags + command).join(' ').toStdString() << "\n" << run.err.toStdString();
        }
}

// The same capture with the answers delivered through a USB pipe (cut into
// transfers, pauses longer than a read slice) writes the same file. A running
// instrument's records depend on when they are asked for; signals locked to
// the trigger (and no edge on a sample) make them the same whenever they are.
TEST(CliLink, CaptureThroughTheUsbPipeWritesTheSameRecords)
{
    SKIP_UNDER_THREAD_CHECKER();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString kLocked = "seed=5,ch1=sine:1k:2,ch2=sine:2k:3";
    const QString direct = dir.filePath("direct.csv");
    const QString piped = dir.filePath("piped.csv");
    const CliRun a = RunCli({"--sim=" + kLocked, "capture", "--count", "20", "--csv", direct});
    ASSERT_EQ(a.exitCode, 0) << a.err.toStdString();
    const CliRun b = RunCli({"--sim=" + kLocked + ",pipe=4096:120", "capture", "--count", "20", "--csv", piped});
    ASSERT_EQ(b.exitCode, 0) << b.err.toStdString();
    QFile first(direct), second(piped);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    const QByteArray records = first.readAll();
    EXPECT_GT(records.count('\n'), 3200);
    EXPECT_TRUE(records == second.readAll());
}
