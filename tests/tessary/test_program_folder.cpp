// Where the program finds its data and its settings file, for a build tree
// and for an installed copy.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "tessary/ProgramFolder.h"

namespace {

// Sets or clears an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

}  // namespace

TEST(ProgramFolder, DataBesideTheProgramOrUnderShareSettingsBesideOrInTheUsersFolder)
{
    struct Case {
        const char* what;
        std::vector<const char*> files;   // below the temporary folder
        const char* xdg;                  // XDG_CONFIG_HOME
        const char* data;                 // expected, relative to the folder
        const char* settings;
    };
    const Case cases[] = {
        {"build tree", {"bin/config/M_eng.ini", "usr/share/quorvex/config/M_eng.ini"}, "/x", "bin", "bin"},
        {"installed, XDG folder", {"usr/share/quorvex/config/M_eng.ini"}, "@/cfg", "usr/share/quorvex", "cfg/quorvex"},
        {"installed, no XDG folder", {"usr/share/quorvex/config/M_eng.ini"}, nullptr, "usr/share/quorvex",
         "home/.config/quorvex"},
        {"installed, relative XDG folder ignored", {"usr/share/quorvex/config/M_eng.ini"}, "cfg",
         "usr/share/quorvex", "home/.config/quorvex"},
        {"no data anywhere", {}, "@/cfg", "usr/bin", "usr/bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        folder.Write("bin/quorvex", "");
        folder.Write("usr/bin/quorvex", "");
        for (const char* file : c.files)
            folder.Write(file, "");
        const std::string root = folder.Path();
        const std::string xdg = c.xdg && c.xdg[0] == '@' ? root + (c.xdg + 1) : c.xdg ? c.xdg : "";
        ScopedEnv home("HOME", (root + "/home").c_str());
        ScopedEnv config("XDG_CONFIG_HOME", c.xdg ? xdg.c_str() : nullptr);
        const std::string program = std::string(c.data) == "bin" ? root + "/bin" : root + "/usr/bin";
        EXPECT_EQ(ProgramDataFolder(program), root + "/" + c.data);
        EXPECT_EQ(ProgramSettingsFolder(program), root + "/" + c.settings);
    }
}
