// File names as text and back: a name's bytes come back exactly, those that
// are not UTF-8 included, and messages show those bytes as \xHH.

#include <gtest/gtest.h>

#include <string>

#include "savefile/PathEncoding.h"
#include "savefile/SaveFileReport.h"

namespace zovek {
namespace {

TEST(PathEncoding, BytesToTextToBytesIsExact) {
  struct Case {
    std::string bytes;
    std::u16string text;
    std::string shown;  // by PathText; empty: the bytes themselves
  };
  const Case cases[] = {
      {"card 1.mcr", u"card 1.mcr", ""},
      {"\xC3\xA9\xE3\x82\xAB\xF0\x9F\x80\x80", u"\u00E9\u30AB\U0001F000", ""},  // UTF-8 of 2, 3 and 4 bytes
      {"\x83\x5A\x81\x5B\x83\x75.mcr", u"\xDC83Z\xDC81[\xDC83u.mcr", "\\x83Z\\x81[\\x83u.mcr"},  // Shift-JIS
      {"\xC0\xAF\xE0\x80\xAF", u"\xDCC0\xDCAF\xDCE0\xDC80\xDCAF", "\\xC0\\xAF\\xE0\\x80\\xAF"},  // overlong forms
      {"x\x80y\xBF", u"x\xDC80y\xDCBF", "x\\x80y\\xBF"},  // lone continuation bytes
      {"\xE3\x82.mcr", u"\xDCE3\xDC82.mcr", "\\xE3\\x82.mcr"},  // a sequence cut short
      {"\xED\xA0\x80\xF4\x90\x80\x80", u"\xDCED\xDCA0\xDC80\xDCF4\xDC90\xDC80\xDC80",  // a surrogate, past U+10FFFF
       "\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80"},
      {"\x80\xBF\xC1\xC2\xE0\xF5\xFF", u"\xDC80\xDCBF\xDCC1\xDCC2\xDCE0\xDCF5\xDCFF",  // such bytes alone
       "\\x80\\xBF\\xC1\\xC2\\xE0\\xF5\\xFF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown.empty() ? c.bytes : c.shown);
    EXPECT_EQ(TextFromBytes(c.bytes), c.text);
    EXPECT_EQ(BytesFromText(c.text), c.bytes);
    const std::filesystem::path path = PathFromText(c.text);
    EXPECT_EQ(kPathsAreBytes ? path.string() : c.bytes, c.bytes);
    EXPECT_EQ(TextFromPath(path), c.text);
    EXPECT_EQ(PathText(path), c.shown.empty() ? c.bytes : c.shown);
  }
  for (int pair = 0; pair < 0x10000; ++pair) {  // every name of two bytes
    const std::string bytes{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
    ASSERT_EQ(BytesFromText(TextFromBytes(bytes)), bytes) << pair;
  }
  EXPECT_EQ(BytesFromText(u"a\xD800"), "a\xEF\xBF\xBD");  // a lone surrogate no name decodes to
}

}  // namespace
}  // namespace zovek
