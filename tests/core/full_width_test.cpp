#include "core/full_width.h"

#include <gtest/gtest.h>

namespace vcurve {
namespace {

struct FoldCase {
  const char* typed;
  const char* read;
};

class AsciiForms : public ::testing::TestWithParam<FoldCase> {};

TEST_P(AsciiForms, FoldsWhatAnInputMethodTypes) {
  EXPECT_EQ(asciiForms(GetParam().typed), GetParam().read) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AsciiForms,
    ::testing::Values(
        FoldCase{"５．５", "5.5"}, FoldCase{"Ｋ０＋５００", "K0+500"},
        FoldCase{"ｋ１２＋３４５．６７８", "k12+345.678"}, FoldCase{"－３．５", "-3.5"},
        FoldCase{"１ｅ３", "1e3"}, FoldCase{"Ｋ１＋２００＝Ｋ１＋１９０", "K1+200=K1+190"},
        // The first and last full-width forms, and the two ideographic signs.
        FoldCase{"！～", "!~"}, FoldCase{"＿｀", "_`"}, FoldCase{"　５。５　", " 5.5 "},
        // Mixed widths, and what is no full-width form, left alone.
        FoldCase{"K０+5００", "K0+500"}, FoldCase{"", ""}, FoldCase{"5030.25", "5030.25"},
        FoldCase{"桩号（２）", "桩号(2)"}, FoldCase{"、，", "、,"}, FoldCase{"｟", "｟"},
        // A sequence cut short at the end is kept as it is.
        FoldCase{"5\xEF\xBC", "5\xEF\xBC"}, FoldCase{"\xEF", "\xEF"}));

}  // namespace
}  // namespace vcurve
