// Organiser and nutrition records, byte for byte: a record built by hand from its layout table
// reads back through the table, and the same values written through the setters give the same
// bytes.

#include "Diaries.h"

#include <functional>
#include <gtest/gtest.h>

namespace tavrin::test {
namespace {

struct RecordLayout : ::testing::Test {
    TempDir dir;
    RecordingReporter rep;
    std::unique_ptr<TN> tn = openDiary(dir.file("Diary.tni"), rep);

    template <class Rec>
    void bothWays(Table<Rec>& table, const Bytes& hand, const std::function<void(Rec&)>& fill,
                  const std::function<void(const Rec&)>& check) {
        ASSERT_EQ(hand.b.size(), Rec::kSize);
        writeFile(table.path(), hand.b);
        table.index = 5;
        ASSERT_TRUE(table.First()) << rep.dump();
        EXPECT_EQ(table.count, 1);
        check(table.record);
        EXPECT_FALSE(table.Next());

        std::filesystem::remove(table.path());
        table.record.clear();
        fill(table.record);
        ASSERT_TRUE(table.Add()) << rep.dump();
        const std::string got = readFile(table.path());
        ASSERT_EQ(got.size(), Rec::kSize);
        for (std::size_t i = 0; i < Rec::kSize; ++i)
            EXPECT_EQ(std::uint8_t(got[i]), hand.getU8(i)) << "byte " << i;
        EXPECT_TRUE(rep.reports.empty()) << rep.dump();
    }
};

} // namespace

TEST_F(RecordLayout, Reminder68) {
    Bytes h(68);
    h.i64(0, -86400).i64(8, 1700000000).u8(16, 2).u8(17, 6).text(18, std::string(49, 'r'));
    bothWays<ReminderRecord>(
        tn->reminders, h,
        [](ReminderRecord& r) {
            r.setDate(-86400);
            r.setTime(1700000000);
            r.setKind(ReminderRecord::Weekly);
            r.setDayOfWeek(6);
            r.setDescription(std::string(60, 'r')); // cut to 49 and its NUL
        },
        [](const ReminderRecord& r) {
            EXPECT_EQ(r.date(), -86400);
            EXPECT_EQ(r.time(), 1700000000);
            EXPECT_EQ(r.kind(), 2);
            EXPECT_EQ(r.dayOfWeek(), 6);
            EXPECT_EQ(r.description(), std::string(49, 'r'));
        });
}

TEST_F(RecordLayout, Planner60) {
    Bytes h(60);
    h.i64(0, 1234567890123).u8(8, 1).u8(9, 1).text(10, "Dentist");
    bothWays<PlannerRecord>(
        tn->planner, h,
        [](PlannerRecord& r) {
            r.setDate(1234567890123);
            r.setDone(1);
            r.setPriority(1);
            r.setDescription("Dentist");
        },
        [](const PlannerRecord& r) {
            EXPECT_EQ(r.date(), 1234567890123);
            EXPECT_EQ(r.done(), 1);
            EXPECT_EQ(r.priority(), 1);
            EXPECT_EQ(r.description(), "Dentist");
        });
}

TEST_F(RecordLayout, Contact850) {
    const std::string misc = std::string(200, 'm') + "\r\n" + std::string(197, 'n'); // 399
    Bytes h(850);
    h.text(0, std::string(34, 'A')).text(35, "Firm").text(135, "1 Road\r\nTown").text(235, "111");
    h.text(255, "222").text(275, std::string(19, '3')).text(295, "444").text(315, "a@b.example");
    h.text(350, "https://b.example").text(450, misc);
    bothWays<ContactRecord>(
        tn->contacts, h,
        [&](ContactRecord& r) {
            r.setName(std::string(40, 'A'));
            r.setCompany("Firm");
            r.setAddress("1 Road\r\nTown");
            r.setHomePhone("111");
            r.setWorkPhone("222");
            r.setMobilePhone(std::string(25, '3'));
            r.setFax("444");
            r.setEmail("a@b.example");
            r.setWeb("https://b.example");
            r.setMisc(misc + "cut");
        },
        [&](const ContactRecord& r) {
            EXPECT_EQ(r.name(), std::string(34, 'A'));
            EXPECT_EQ(r.company(), "Firm");
            EXPECT_EQ(r.address(), "1 Road\r\nTown");
            EXPECT_EQ(r.homePhone(), "111");
            EXPECT_EQ(r.workPhone(), "222");
            EXPECT_EQ(r.mobilePhone(), std::string(19, '3'));
            EXPECT_EQ(r.fax(), "444");
            EXPECT_EQ(r.email(), "a@b.example");
            EXPECT_EQ(r.web(), "https://b.example");
            EXPECT_EQ(r.misc(), misc);
        });
}

TEST_F(RecordLayout, Ingredient48KeepsTwoSpareBytesAfterA29CharacterName) {
    Bytes h(48);
    h.text(0, std::string(29, 'i')).f32(32, 52.5f).f32(36, 0.25f).f32(40, 14.0f).f32(44, 0.5f);
    bothWays<IngredientRecord>(
        tn->ingredients, h,
        [](IngredientRecord& r) {
            r.setName(std::string(31, 'i'));
            r.setKcal(52.5f);
            r.setFat(0.25f);
            r.setCarbohydrate(14.0f);
            r.setProtein(0.5f);
        },
        [](const IngredientRecord& r) {
            EXPECT_EQ(r.name(), std::string(29, 'i'));
            EXPECT_FLOAT_EQ(r.kcal(), 52.5f);
            EXPECT_FLOAT_EQ(r.fat(), 0.25f);
            EXPECT_FLOAT_EQ(r.carbohydrate(), 14.0f);
            EXPECT_FLOAT_EQ(r.protein(), 0.5f);
        });
}

namespace {
// One ingredient line, kilocalories fourth.
void handLine(Bytes& h, std::size_t at, const std::string& name, float base) {
    h.text(at, name).f32(at + 32, base).f32(at + 36, base + 1).f32(at + 40, base + 2);
    h.f32(at + 44, base + 3).f32(at + 48, base + 4);
}
void fillLine(IngredientLineRecord& l, const std::string& name, float base) {
    l.setName(name);
    l.setFat(base);
    l.setCarbohydrate(base + 1);
    l.setProtein(base + 2);
    l.setKcal(base + 3);
    l.setWeight(base + 4);
}
void checkLine(const IngredientLineRecord& l, const std::string& name, float base) {
    EXPECT_EQ(l.name(), name);
    EXPECT_FLOAT_EQ(l.fat(), base);
    EXPECT_FLOAT_EQ(l.carbohydrate(), base + 1);
    EXPECT_FLOAT_EQ(l.protein(), base + 2);
    EXPECT_FLOAT_EQ(l.kcal(), base + 3);
    EXPECT_FLOAT_EQ(l.weight(), base + 4);
}
} // namespace

TEST_F(RecordLayout, IngredientLine52) {
    Bytes h(52);
    handLine(h, 0, "Flour", 10);
    bothWays<IngredientLineRecord>(
        tn->tempIngredients, h, [](IngredientLineRecord& l) { fillLine(l, "Flour", 10); },
        [](const IngredientLineRecord& l) { checkLine(l, "Flour", 10); });
}

TEST_F(RecordLayout, Recipe3760) {
    const std::string method = std::string(2000, 'x') + "\r\n" + std::string(45, 'y'); // 2047
    Bytes h(3760);
    h.text(0, "Bread").text(30, std::string(99, 'd')).i32(132, 2);
    h.f32(136, 1.5f).f32(140, 70.25f).f32(144, 9.0f).f32(148, 550.0f);
    handLine(h, 152, "Flour", 10);
    handLine(h, 152 + 52, "Salt", 20);
    handLine(h, 152 + 52 * 29, "Last", 30); // beyond the count: stored as the buffer holds it
    h.text(1712, method);
    bothWays<RecipeRecord>(
        tn->recipes, h,
        [&](RecipeRecord& r) {
            r.setName("Bread");
            r.setDescription(std::string(120, 'd'));
            r.setLineCount(2);
            r.setFat(1.5f);
            r.setCarbohydrate(70.25f);
            r.setProtein(9.0f);
            r.setWeight(550.0f);
            IngredientLineRecord l;
            fillLine(l, "Flour", 10);
            r.setLine(0, l);
            fillLine(l, "Salt", 20);
            r.setLine(1, l);
            fillLine(l, "Last", 30);
            r.setLine(29, l);
            r.setMethod(method + "zz");
        },
        [&](const RecipeRecord& r) {
            EXPECT_EQ(r.name(), "Bread");
            EXPECT_EQ(r.description(), std::string(99, 'd'));
            EXPECT_EQ(r.lineCount(), 2);
            EXPECT_FLOAT_EQ(r.fat(), 1.5f);
            EXPECT_FLOAT_EQ(r.carbohydrate(), 70.25f);
            EXPECT_FLOAT_EQ(r.protein(), 9.0f);
            EXPECT_FLOAT_EQ(r.weight(), 550.0f);
            checkLine(r.line(0), "Flour", 10);
            checkLine(r.line(1), "Salt", 20);
            checkLine(r.line(29), "Last", 30);
            EXPECT_EQ(r.method(), method);
        });
}

TEST_F(RecordLayout, Medication108) {
    Bytes h(108);
    h.text(0, "Ibuprofen").text(30, std::string(9, 'q')).text(40, "twice a day").text(70, "Dr Who");
    h.i64(100, 1600000000);
    bothWays<MedicationRecord>(
        tn->medication, h,
        [](MedicationRecord& r) {
            r.setName("Ibuprofen");
            r.setQuantity(std::string(12, 'q'));
            r.setFrequency("twice a day");
            r.setDoctor("Dr Who");
            r.setDateIssued(1600000000);
        },
        [](const MedicationRecord& r) {
            EXPECT_EQ(r.name(), "Ibuprofen");
            EXPECT_EQ(r.quantity(), std::string(9, 'q'));
            EXPECT_EQ(r.frequency(), "twice a day");
            EXPECT_EQ(r.doctor(), "Dr Who");
            EXPECT_EQ(r.dateIssued(), 1600000000);
        });
}

} // namespace tavrin::test
