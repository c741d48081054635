// SPDX-License-Identifier: MIT
#include "cli/JsonWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace vora::cli {
namespace {

using namespace std::string_literals;

TEST(JsonWriterTest, EscapesStringsSoThatEveryCodeUnitSurvives) {
  struct Row {
    std::u16string value;
    std::string body;
  };
  const Row rows[] = {
      {u"1+2=3", "1+2=3"},
      {u"say \"hi\" \\ bye", "say \\\"hi\\\" \\\\ bye"},
      {u"a\r\nb\tc\b\f", "a\\r\\nb\\tc\\b\\f"},
      {u"\0\x01\x1f"s, "\\u0000\\u0001\\u001f"},
      {u"2+i\u00D73",
       "2+i\xC3\x97"
       "3"},                                // non-ASCII stays as UTF-8
      {u"\U0001F600", "\xF0\x9F\x98\x80"},  // a pair is one character
      {std::u16string{u'x', char16_t{0xD800}, u'y'}, "x\\ud800y"},
      {std::u16string{char16_t{0xDC00}, char16_t{0xD800}}, "\\udc00\\ud800"},
      {u"/ \u007f \u2028", "/ \x7f \xE2\x80\xA8"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.body);
    std::string out;
    AppendJsonEscaped(row.value, out);
    EXPECT_EQ(out, row.body);
  }
}

TEST(JsonWriterTest, SeparatesMembersAndNestedValues) {
  JsonWriter json;
  json.BeginObject();
  json.Key("ok");
  json.Bool(false);
  json.Key("position");
  json.Integer(-1);
  json.Key("log");
  json.BeginArray();
  json.BeginObject();
  json.Key("status");
  json.String(u"Error");
  json.EndObject();
  json.BeginObject();
  json.EndObject();
  json.EndArray();
  json.Key("memory");
  json.BeginArray();
  json.EndArray();
  json.Key("n");
  json.Integer(1048575);
  json.EndObject();
  EXPECT_EQ(json.Text(),
            R"({"ok": false, "position": -1, "log": [{"status": "Error"}, {}], "memory": [], )"
            R"("n": 1048575})");
}

}  // namespace
}  // namespace vora::cli
