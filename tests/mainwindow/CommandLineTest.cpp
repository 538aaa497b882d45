// The command line's switches as the application object reads them.
#include "mainwindow/app/AppCommandLineInfo.h"

#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

namespace {

struct Param
{
    const char* text;
    bool flag;
};

TEST(CommandLine, SwitchesAndTheirValues)
{
    const struct { std::vector<Param> params; const char* p; const char* f; } cases[] = {
        {{{"p", true}, {"Party", false}}, "Party", nullptr},
        {{{"p", true}}, "TRUE", nullptr},
        {{{"f", true}, {"track.mp3", false}}, nullptr, "track.mp3"},
        {{{"p", true}, {"Party", false}, {"f", true}, {"track.mp3", false}}, "Party", "track.mp3"},
        {{{"P", true}, {"Party", false}}, nullptr, nullptr},        // names are case-sensitive
        {{{"Party", false}, {"p", true}}, "TRUE", nullptr},           // a value before any switch
        {{{"p", true}, {"one", false}, {"two", false}}, "one", nullptr},
    };
    for (const auto& c : cases) {
        AppCommandLineInfo info;
        for (size_t i = 0; i < c.params.size(); ++i)
            info.ParseParam(c.params[i].text, c.params[i].flag, i + 1 == c.params.size());
        CString value;
        EXPECT_EQ(c.p != nullptr, info.GetOption("p", value)) << c.params.size();
        if (c.p)
            EXPECT_STREQ(c.p, value);
        EXPECT_EQ(c.f != nullptr, info.GetOption("f", value));
        if (c.f)
            EXPECT_STREQ(c.f, value);
    }
}

} // namespace
