#include <gtest/gtest.h>

#include "common/Paths.h"
#include "entry/OrderFixture.h"
#include "entry/OrderFormRules.h"

namespace kvotlk::test {
namespace {

class OrderFormRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.files.addFile(f.nestCatalog(), "(1)     Eins\r\n(3)     Form-3\r\n(ab)    Nest-A\r\n");
  }
  OrderFixture f;
};

TEST_F(OrderFormRulesTest, LookupOnlyWhenNestIDsAreInUse) {
  for (const auto& [setting, number, caption] : {std::tuple{"1", "3", "Form-3"},
                                                 {"1", " AB ", "Nest-A"},
                                                 {"1", "01", ""},
                                                 {"1", "03", ""},
                                                 {"1", "", ""},
                                                 {"0", "3", ""},
                                                 {"2", "3", ""}}) {
    f.apply(std::string("strNestIDVerwenden=") + setting + "|lblNestID=vorher");
    f.form.txt_Nestnummer = number;
    NestNumberChanged(f.env, f.g, f.form);
    EXPECT_EQ(f.form.lblNestID, caption) << setting << " " << number;
  }
  f.files.removeFile(toFsPath(f.nestCatalog()));
  EXPECT_EQ(LookUpNestID(f.env, f.g, "3"), "");
  EXPECT_TRUE(f.prompts.shown.empty());
}

TEST_F(OrderFormRulesTest, CheckBoxEmptiesTheLabelUntilTheNumberIsEdited) {
  f.apply("strNestIDVerwenden=1|chkNest=1|txt_Nestnummer=3");
  NestNumberChanged(f.env, f.g, f.form);
  ASSERT_EQ(f.form.lblNestID, "Form-3");
  f.form.chkNest = kUnchecked;
  EXPECT_FALSE(NestCheckBoxClicked(f.form));
  f.form.chkNest = kChecked;
  f.form.lblNestID = "Form-3";
  EXPECT_TRUE(NestCheckBoxClicked(f.form));
  EXPECT_EQ(std::tie(f.form.lblNestID, f.form.txt_Nestnummer), std::tie("", "3"));
}

TEST_F(OrderFormRulesTest, ClearEntriesEmptiesTheOrderFieldsOnly) {
  f.apply("strNestIDVerwenden=1|chkNest=1|txt_Nestnummer=3|lblNestID=Form-3|txtAnzahlDerTeile=9");
  f.g.strArtikel = "A-100";
  ClearEntries(f.env, f.g, f.form);
  const OrderForm& c = f.form;
  EXPECT_EQ(
      std::tie(c.txt_Artikel, c.txt_Auftrag, c.txt_Nestnummer, c.lblNestID, c.txt_Probenumfang),
      std::tie("", "", "", "", ""));
  EXPECT_FALSE(c.combo_Pruefer.has_value() || c.Combo_Maschine.has_value());
  EXPECT_EQ(std::tie(c.txt_DatumTag, c.txt_UhrzeitMinute, c.txtAnzahlDerTeile, f.g.strArtikel),
            std::tie("05", "07", "9", "A-100"));
  EXPECT_EQ(c.chkNest, kChecked);

  f.form.lblNestID = "bleibt";
  f.files.calls.clear();
  ClearEntries(f.env, f.g, f.form);
  EXPECT_EQ(f.form.lblNestID, "bleibt") << "an empty nest number is not edited again";
  EXPECT_TRUE(f.files.calls.empty());
}

}  // namespace
}  // namespace kvotlk::test
