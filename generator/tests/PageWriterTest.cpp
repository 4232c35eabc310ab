#include "generator/PageWriter.h"
#include "testsupport/TestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PageWriter, TranslatesLineFeedsAsATextModeFileDoes)
{
    struct Case {
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"a\nb", "a\r\nb"},
        {"a\r\nb", "a\r\r\nb"},  // a CR LF from an edit box keeps its CR
        {"a\rb", "a\rb"},
        {"\n\n", "\r\n\r\n"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string out;
        PageWriter w(out);
        w.write(c.text);
        EXPECT_EQ(out, c.bytes) << c.text;
    }
    std::string out;
    PageWriter w(out);
    w.put('x').put('\n');
    w.endLine();
    EXPECT_EQ(out, "x\r\n\r\n");
}

TEST(PageWriter, TheOldPageStaysWholeUntilTheNewOneIsCommitted)
{
    test::TempDir dir;
    test::writeFile(dir / "page.html", "old page");
    {
        PageWriter w(dir / "page.html");
        w.write("<html>");
        w.endLine();
        EXPECT_EQ(test::readFile(dir / "page.html"), "old page");
        w.commit();
        EXPECT_EQ(test::readFile(dir / "page.html"), "<html>\r\n");
        EXPECT_FALSE(w.failed());
        w.write("after the commit");
    }
    EXPECT_EQ(test::readFile(dir / "page.html"), "<html>\r\n");
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"page.html"});
}

TEST(PageWriter, AnEmptyPageReplacesTheOldOne)
{
    test::TempDir dir;
    test::writeFile(dir / "saleslip.html", "an earlier slip");
    PageWriter(dir / "saleslip.html").commit();
    EXPECT_EQ(test::readFile(dir / "saleslip.html"), "");
}

TEST(PageWriter, AFileThatCannotBeCreatedTakesEveryCallWithoutEffect)
{
    test::TempDir dir;
    PageWriter w(dir / "missing-folder" / "page.html");
    w.write("text").put('x');
    w.endLine();
    w.commit();
    EXPECT_TRUE(w.failed());
    EXPECT_EQ(w.error(), "No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(dir / "missing-folder"));
}

TEST(PageWriter, AFullDiskIsNoticed)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    PageWriter w("/dev/full");
    w.write("<html>");
    w.endLine();
    EXPECT_FALSE(w.failed()) << "nothing reaches the device before the commit";
    w.commit();
    EXPECT_TRUE(w.failed());
    EXPECT_EQ(w.error(), "No space left on device");
}

} // namespace
} // namespace velmora
