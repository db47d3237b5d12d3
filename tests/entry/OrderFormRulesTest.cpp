#include <gtest/gtest.h>

#include <tuple>

#include "common/Paths.h"
#include "entry/OrderFixture.h"
#include "entry/OrderFormRules.h"

namespace kvotlk::test {
namespace {

// Every field of the form, for comparing two forms.
auto allFields(const OrderForm& form) {
  return std::tie(form.txt_Artikel, form.Combo_Maschine, form.txt_Auftrag, form.txt_Probenumfang,
                  form.txtAnzahlDerTeile, form.txt_DatumTag, form.txt_DatumMonat,
                  form.txt_DatumJahr, form.txt_UhrzeitStunde, form.txt_UhrzeitMinute,
                  form.combo_Pruefer, form.chkNest, form.txt_Nestnummer, form.lblNestID);
}

class OrderFormRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.files.addFile(f.nestCatalog(), "(1)     Eins\r\n(3)     Form-3\r\n(ab)    Nest-A\r\n");
  }

  OrderFixture f;
};

TEST_F(OrderFormRulesTest, LookupOnlyWhenNestIDsAreInUse) {
  const std::pair<const char*, const char*> cases[] = {
      {"1", "Form-3"}, {"0", ""}, {"2", ""}, {"", ""}};
  for (const auto& [setting, caption] : cases) {
    f.g.strNestIDVerwenden = setting;
    f.form.lblNestID = "vorher";
    f.form.txt_Nestnummer = "3";
    NestNumberChanged(f.env, f.g, f.form);
    EXPECT_EQ(f.form.lblNestID, caption) << setting;
  }
}

TEST_F(OrderFormRulesTest, LookupComparesTextIgnoringCase) {
  f.g.strNestIDVerwenden = "1";
  const std::pair<const char*, const char*> cases[] = {
      {"AB", "Nest-A"}, {" 3 ", "Form-3"}, {"01", ""}, {"03", ""}, {"7", ""}, {"", ""}};
  for (const auto& [number, caption] : cases) {
    EXPECT_EQ(LookUpNestID(f.env, f.g, number), caption) << number;
  }
}

TEST_F(OrderFormRulesTest, MissingCatalogueGivesNoNestIDAndNoMessage) {
  f.files.removeFile(toFsPath(f.nestCatalog()));
  f.g.strNestIDVerwenden = "1";
  EXPECT_EQ(LookUpNestID(f.env, f.g, "3"), "");
  EXPECT_TRUE(f.prompts.shown.empty());
}

TEST_F(OrderFormRulesTest, CheckBoxEmptiesTheLabelAndKeepsTheNumber) {
  f.form.txt_Nestnummer = "3";
  f.form.lblNestID = "Form-3";
  f.form.chkNest = kChecked;
  EXPECT_TRUE(NestCheckBoxClicked(f.form));
  EXPECT_EQ(f.form.lblNestID, "");
  f.form.lblNestID = "Form-3";
  f.form.chkNest = kUnchecked;
  EXPECT_FALSE(NestCheckBoxClicked(f.form));
  EXPECT_EQ(f.form.lblNestID, "");
  EXPECT_EQ(f.form.txt_Nestnummer, "3");
  EXPECT_TRUE(f.files.calls.empty()) << "no lookup";
}

TEST_F(OrderFormRulesTest, ClearEntriesEmptiesTheOrderFieldsOnly) {
  f.g.strNestIDVerwenden = "1";
  f.g.strArtikel = "A-100";
  f.form.chkNest = kChecked;
  f.form.txt_Nestnummer = "3";
  f.form.lblNestID = "Form-3";
  f.form.txtAnzahlDerTeile = "250";
  ClearEntries(f.env, f.g, f.form);

  OrderForm expected = ValidOrderForm();
  expected.txt_Artikel = expected.txt_Auftrag = expected.txt_Probenumfang = "";
  expected.combo_Pruefer.reset();
  expected.Combo_Maschine.reset();
  expected.chkNest = kChecked;
  expected.txtAnzahlDerTeile = "250";
  EXPECT_TRUE(allFields(f.form) == allFields(expected))
      << "date, time, part count and nest box stay; emptying the nest number runs the lookup";
  EXPECT_EQ(f.g.strArtikel, "A-100");
}

TEST_F(OrderFormRulesTest, ClearEntriesWithAnEmptyNestNumberIsNoEdit) {
  f.g.strNestIDVerwenden = "1";
  f.form.lblNestID = "Form-3";
  ClearEntries(f.env, f.g, f.form);
  EXPECT_EQ(f.form.lblNestID, "Form-3");
  EXPECT_TRUE(f.files.calls.empty());
}

TEST_F(OrderFormRulesTest, LabelStaysEmptyAfterRecheckingUntilTheNumberIsEdited) {
  f.g.strNestIDVerwenden = "1";
  f.form.chkNest = kChecked;
  f.form.txt_Nestnummer = "3";
  NestNumberChanged(f.env, f.g, f.form);
  ASSERT_EQ(f.form.lblNestID, "Form-3");
  f.form.chkNest = kUnchecked;
  NestCheckBoxClicked(f.form);
  f.form.chkNest = kChecked;
  NestCheckBoxClicked(f.form);
  EXPECT_EQ(f.form.lblNestID, "");
  f.form.txt_Nestnummer = "1";
  NestNumberChanged(f.env, f.g, f.form);
  EXPECT_EQ(f.form.lblNestID, "Eins");
}

}  // namespace
}  // namespace kvotlk::test
