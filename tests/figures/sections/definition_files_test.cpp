// What the definition-file readers share: trimming.

#include "figures/sections/definition_files.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(DefinitionFiles, TrimRemovesBlanksAndControlsAtBothEnds) {
  struct Case {
    std::string_view text, kept;
  };
  const Case cases[] = {
      {"abc", "abc"},   {"  ab c \t", "ab c"},  // blanks before and after: both go, the inner one stays
      {"\t\r\nx", "x"}, {"x  ", "x"},          {"   ", ""}, {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TrimDefinitionText(c.text), c.kept) << c.text;
}

}  // namespace
