// tavrin-cli's nutrition commands: the catalogue, recipes made of it (refused whole when one of
// them names an ingredient the catalogue lacks) and a day's sums as the daily sheet shows them.

#include "CliFixture.h"

#include "storage/DiaryFileSet.h"
#include "storage/TN.h"

#include <fstream>
#include <iterator>

using namespace tavrin;
using tavrin::cli::Cli;

namespace {

class NutritionCommandsTest : public cli::test::CliFixture {};

TEST_F(NutritionCommandsTest, RecipesAndDailySumsFollowTheCatalogue) {
    ASSERT_EQ(
        run({"add", diary}, "{" + newDiary() + R"("dateTime": "2026-12-01T09:00:00", "body": "x"})")
            .status,
        Cli::kOk);
    auto r = run({"add-default-ingredients", diary});
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    r = run({"add-ingredient", diary},
            R"([{"name": "Sample", "fat": 10, "carbohydrate": 20, "protein": 5},
                {"name": "Odd", "fat": 1, "kcal": 500}])");
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "Added 2 ingredients; the catalogue holds 102.\n");

    struct Case {
        const char* what;
        std::string input;
        int status;
        const char* message; // start of the output, or of the error
    };
    const Case cases[] = {
        {"unknown ingredient: nothing is added",
         R"([{"name": "Fine", "ingredients": [{"name": "Sample", "grams": 150}]},
             {"name": "Bad", "ingredients": [{"name": "Unicorn", "grams": 1}]}])",
         Cli::kUsage, "tavrin-cli: recipe 2: no ingredient \"Unicorn\" in the catalogue"},
        {"a recipe without a name", R"({"description": "x"})", Cli::kUsage,
         "tavrin-cli: recipe 1: \"name\" is a text"},
        {"31 ingredients",
         [] {
             std::string many = R"({"name": "Many", "ingredients": [)";
             for (int i = 0; i < 31; ++i)
                 many += std::string(i ? "," : "") + R"({"name": "Sample", "grams": 1})";
             return many + "]}";
         }(),
         Cli::kUsage, "tavrin-cli: recipe 1: a recipe holds at most 30 ingredients"},
        {"two recipes in one write",
         R"([{"name": "Stew", "ingredients": [{"name": "Sample", "grams": 400}]},
             {"name": "stew", "method": "Boil.\nServe."}])",
         Cli::kOk, "Added 2 recipes; the cookbook holds 2."},
    };
    for (const Case& c : cases) {
        r = run({"add-recipe", diary}, c.input);
        EXPECT_EQ(r.status, c.status) << c.what;
        const std::string& said = c.status == Cli::kOk ? r.out : r.err;
        EXPECT_EQ(said.rfind(c.message, 0), 0u) << c.what << ": " << said;
    }

    TN tn(0, diary, DiaryFileSet::extensionOffset(diary));
    std::vector<RecipeRecord> recipes;
    ASSERT_TRUE(tn.recipes.ReadAll(recipes));
    ASSERT_EQ(recipes.size(), 2u);
    EXPECT_EQ(recipes[0].weight(), 400.0f);
    EXPECT_EQ(recipes[1].method(), "Boil.\r\nServe.");

    // 200 g of the ingredient plus a quarter of the 400 g recipe; the catalogue's own
    // kilocalories ("Odd" says 500) are not used.
    r = run({"daily-calories", diary},
            R"([{"name": "Sample", "grams": 200}, {"name": "Stew", "grams": 100},
                {"name": "Odd", "grams": 100}])");
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "FAT: 31.00 - CARBOHYDRATE: 60.00 - PROTEIN: 15.00 - WEIGHT: 400.00 - "
                     "KCALORIES: 579.00\n");
    r = run({"daily-calories", diary}, R"({"name": "Nothing", "grams": 1})");
    EXPECT_EQ(r.status, Cli::kUsage);

    // A damaged value is said, never summed into "nan": Sample's fat made no number.
    const std::string catalogue = DiaryFileSet(diary).path(DiaryFileSet::kIngredients);
    std::string bytes;
    {
        std::ifstream in(catalogue, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::size_t at = bytes.find(std::string("Sample\0", 7));
    ASSERT_EQ(at % IngredientRecord::kSize, 0u);
    bytes.replace(at + IngredientRecord::kFat.offset, 4, "\x00\x00\xC0\x7F", 4); // quiet NaN
    std::ofstream(catalogue, std::ios::binary) << bytes;
    r = run({"daily-calories", diary}, R"({"name": "Sample", "grams": 100})");
    EXPECT_EQ(r.status, Cli::kFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "tavrin-cli: eaten item 1: \"Sample\" holds values that are not numbers; see "
                     "tavrin-cli check\n");
}

} // namespace
