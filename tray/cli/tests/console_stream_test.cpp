// The tool's standard streams: Unicode text to a console, UTF-8 bytes to a file or pipe, whole
// lines at a time; malformed text in either encoding becomes U+FFFD rather than passing on.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_console.h"
#include "tray/cli/console_stream.h"
#include "tray/cli/unicode_text.h"

namespace holvara::cli {
namespace {

TEST(ConsoleStream, WritesTextToAConsoleAndUtf8ToAFileOrPipe) {
  SimConsole console;
  console.consoles = {StandardStream::kOutput};
  {
    ConsoleStream out(console, StandardStream::kOutput);
    ConsoleStream err(console, StandardStream::kError);
    out << "外付けディスク (E:)\n"
        << "Café";
    err << "Ÿ €\n";
    // A line is passed on when it ends, not before.
    EXPECT_EQ(console.texts[StandardStream::kOutput], u"外付けディスク (E:)\r\n");
    EXPECT_EQ(console.bytes[StandardStream::kError], "Ÿ €\r\n");
  }
  EXPECT_EQ(console.texts[StandardStream::kOutput], u"外付けディスク (E:)\r\nCafé");
  EXPECT_EQ(console.bytes[StandardStream::kOutput], "");
  EXPECT_EQ(console.texts[StandardStream::kError], u"");
}

TEST(ConsoleStream, ConvertsBetweenUtf8AndUtf16AndReplacesWhatIsMalformed) {
  EXPECT_EQ(Utf8(u"Aé–外😀"), "Aé–外😀");
  EXPECT_EQ(Utf16("Aé–外😀"), u"Aé–外😀");
  EXPECT_EQ(Utf8(std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)}), "a\uFFFDb\uFFFD");
  // A stray continuation byte, a truncated sequence, an overlong form, an encoded surrogate.
  EXPECT_EQ(Utf16("a\x80"
                  "b\xE5\x96"
                  "c\xC0\xAF"
                  "d\xED\xA0\x80"),
            u"a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFDd\uFFFD\uFFFD\uFFFD");
}

}  // namespace
}  // namespace holvara::cli
