// The fixed-record tables: marks, purges, deletes, kept orders, replacing and iteration.

#include "Diaries.h"
#include "FaultFileSystem.h"

#include <gtest/gtest.h>

namespace tavrin::test {
namespace {

struct Tables : ::testing::Test {
    TempDir dir;
    RecordingReporter rep;
    std::unique_ptr<TN> tn = openDiary(dir.file("Diary.tni"), rep);

    void addReminder(int kind, std::int64_t key, const std::string& text, int dow = 0) {
        auto& r = tn->reminders.record;
        r.clear();
        r.setKind(std::uint8_t(kind));
        r.setDate(key);
        r.setTime(key);
        r.setDayOfWeek(std::uint8_t(dow));
        r.setDescription(text);
        ASSERT_TRUE(tn->reminders.Add()) << rep.dump();
    }
    void addContact(const std::string& name, const std::string& company = "") {
        tn->contacts.record.clear();
        tn->contacts.record.setName(name);
        tn->contacts.record.setCompany(company);
        ASSERT_TRUE(tn->contacts.Add()) << rep.dump();
    }
    template <class Rec> std::vector<Rec> all(Table<Rec>& t) {
        std::vector<Rec> out;
        EXPECT_TRUE(t.ReadAll(out));
        return out;
    }
    std::vector<std::string> reminderTexts() {
        std::vector<std::string> out;
        for (const auto& r : all(tn->reminders))
            out.push_back(r.description());
        return out;
    }
    std::vector<std::string> contactNames() {
        std::vector<std::string> out;
        for (const auto& r : all(tn->contacts))
            out.push_back(r.name());
        return out;
    }
};

} // namespace

TEST_F(Tables, MarkingTheOnlyReminderRemovesTheFile) {
    addReminder(ReminderRecord::Daily, 5, "only");
    ASSERT_TRUE(tn->reminders.Mark(0)) << rep.dump();
    EXPECT_FALSE(exists(tn->reminders.path()));
    EXPECT_EQ(tn->reminders.index, 0);
    EXPECT_EQ(tn->reminders.Count(), 0);
}

TEST_F(Tables, MarkTouchesOnlyTheMarkAndPurgeDropsMarkedRecords) {
    addReminder(ReminderRecord::Daily, 1, "one");
    addReminder(ReminderRecord::Weekly, 2, "two", 3);
    addReminder(ReminderRecord::Yearly, 3, "three");
    const std::string before = readFile(tn->reminders.path());
    tn->reminders.index = 2;
    ASSERT_TRUE(tn->reminders.Mark(1)) << rep.dump();
    EXPECT_EQ(tn->reminders.index, 0);
    std::string expected = before;
    expected[68 + 16] = char(250);
    EXPECT_EQ(readFile(tn->reminders.path()), expected);
    EXPECT_FALSE(tn->reminders.Mark(3));

    ASSERT_TRUE(tn->reminders.Purge()) << rep.dump();
    EXPECT_EQ(reminderTexts(), (std::vector<std::string>{"one", "three"}));
    EXPECT_EQ(tn->reminders.count, 2);

    tn->planner.record.setDescription("keep");
    ASSERT_TRUE(tn->planner.Add());
    tn->planner.record.setDescription("drop");
    tn->planner.record.setDone(1);
    ASSERT_TRUE(tn->planner.Add());
    ASSERT_TRUE(tn->planner.Mark(1));
    auto planned = all(tn->planner);
    ASSERT_EQ(planned.size(), 2u);
    EXPECT_EQ(planned[1].priority(), 250);
    EXPECT_EQ(planned[1].done(), 1);
    EXPECT_EQ(planned[1].description(), "drop");
    ASSERT_TRUE(tn->planner.Purge());
    planned = all(tn->planner);
    ASSERT_EQ(planned.size(), 1u);
    EXPECT_EQ(planned[0].description(), "keep");
}

TEST_F(Tables, PurgeKeepsASingleUnmarkedRecord) {
    addContact("Solo");
    const std::string before = readFile(tn->contacts.path());
    ASSERT_TRUE(tn->contacts.Purge());
    EXPECT_EQ(readFile(tn->contacts.path()), before);
}

TEST_F(Tables, ContactNamedLikeTheMarkGoesAtTheNextPurge) {
    addContact("TN::this should be deleted");
    addContact("TN::this should be deleted!"); // not the mark: no NUL at byte 26
    addContact("Carol", "Acme");
    addContact("Dave");
    ASSERT_TRUE(tn->contacts.Mark(2));
    auto marked = all(tn->contacts);
    EXPECT_EQ(marked[2].name(), "TN::this should be deleted");
    EXPECT_EQ(marked[2].company(), "Acme") << "the rest of the record is unchanged";
    ASSERT_TRUE(tn->contacts.Purge());
    EXPECT_EQ(contactNames(), (std::vector<std::string>{"TN::this should be deleted!", "Dave"}));
}

TEST_F(Tables, DeletionMarkedReminderDisappearsAtSortAndPurge) {
    addReminder(ReminderRecord::Deleted, 1, "marked");
    addReminder(ReminderRecord::Daily, 2, "daily");
    ASSERT_TRUE(tn->reminders.Sort());
    EXPECT_EQ(reminderTexts(), (std::vector<std::string>{"daily"}));

    addReminder(ReminderRecord::Deleted, 1, "marked again");
    ASSERT_TRUE(tn->reminders.Purge());
    EXPECT_EQ(reminderTexts(), (std::vector<std::string>{"daily"}));
}

TEST_F(Tables, RemindersSortDailyWeeklyMonthlyYearlyEachByItsKey) {
    addReminder(ReminderRecord::Yearly, 300, "yearly 300");
    addReminder(ReminderRecord::Daily, 50, "daily 50");
    addReminder(ReminderRecord::Monthly, 20, "monthly 20a");
    addReminder(ReminderRecord::Weekly, 0, "weekly 5", 5);
    addReminder(7, 0, "unknown kind");
    addReminder(ReminderRecord::Daily, -10, "daily -10");
    addReminder(ReminderRecord::Weekly, 99, "weekly 1", 1);
    addReminder(ReminderRecord::Yearly, 100, "yearly 100");
    addReminder(ReminderRecord::Monthly, 20, "monthly 20b");
    ASSERT_TRUE(tn->reminders.Sort()) << rep.dump();
    EXPECT_EQ(reminderTexts(),
              (std::vector<std::string>{"daily -10", "daily 50", "weekly 1", "weekly 5",
                                        "monthly 20a", "monthly 20b", "yearly 100", "yearly 300"}));
    EXPECT_EQ(tn->reminders.count, 8);
}

TEST_F(Tables, NameSortIgnoresCaseAlsoOfAccentedLettersAndKeepsEqualNamesInOrder) {
    for (const char* n : {"bob", "\xC9mile", "Alice", "\xE9lodie", "Bob", "zed", "Zack", "alice"})
        addContact(n);
    ASSERT_TRUE(tn->contacts.Sort());
    EXPECT_EQ(contactNames(), (std::vector<std::string>{"Alice", "alice", "bob", "Bob", "Zack",
                                                        "zed", "\xE9lodie", "\xC9mile"}));

    auto sortNames = [&](auto& table, auto setName) {
        for (const char* n : {"b", "\xC0", "A", "\xE0"}) {
            table.record.clear();
            setName(table.record, n);
            ASSERT_TRUE(table.Add());
        }
        ASSERT_TRUE(table.Sort());
        std::vector<std::string> names;
        for (const auto& r : all(table))
            names.push_back(r.name());
        EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "\xC0", "\xE0"})) << table.path();
    };
    sortNames(tn->ingredients, [](IngredientRecord& r, const char* n) { r.setName(n); });
    sortNames(tn->recipes, [](RecipeRecord& r, const char* n) { r.setName(n); });
    sortNames(tn->medication, [](MedicationRecord& r, const char* n) { r.setName(n); });
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
}

TEST_F(Tables, DeleteRewritesWithoutTheRecordAndTheLastOneTakesTheFile) {
    for (const char* n : {"a", "b", "c"}) {
        tn->medication.record.setName(n);
        ASSERT_TRUE(tn->medication.Add());
    }
    tn->medication.index = 2;
    ASSERT_TRUE(tn->medication.Delete(1));
    EXPECT_EQ(tn->medication.count, 2);
    EXPECT_EQ(tn->medication.index, 0);
    auto meds = all(tn->medication);
    ASSERT_EQ(meds.size(), 2u);
    EXPECT_EQ(meds[0].name() + meds[1].name(), "ac");
    EXPECT_FALSE(tn->medication.Delete(2));
    ASSERT_TRUE(tn->medication.Delete(0));
    ASSERT_TRUE(tn->medication.Delete(0));
    EXPECT_FALSE(exists(tn->medication.path()));
    EXPECT_EQ(tn->medication.count, 0);
}

TEST_F(Tables, ReplaceOverwritesOneRecordInPlace) {
    addReminder(ReminderRecord::Daily, 1, "one");
    addReminder(ReminderRecord::Daily, 2, "two");
    tn->reminders.replacement.bytes[0] = 9;
    ASSERT_TRUE(tn->reminders.First());
    EXPECT_EQ(tn->reminders.replacement.bytes[0], 0)
        << "a read clears the replacement's first byte";
    tn->reminders.replacement = tn->reminders.record;
    tn->reminders.replacement.setDescription("uno");
    ASSERT_TRUE(tn->reminders.Replace(0));
    EXPECT_FALSE(tn->reminders.Replace(2)) << "no such record";
    EXPECT_EQ(reminderTexts(), (std::vector<std::string>{"uno", "two"}));
    EXPECT_EQ(sizeOf(tn->reminders.path()), 136);
}

TEST_F(Tables, UnreadableMiddleRecordStopsEachTableWithItsTrace) {
    const std::string path = dir.file("Diary.tni");
    struct Case {
        char letter;
        std::size_t size;
        const char* trace;
        std::function<bool(TN&, bool)> read; // First when true, else Next
    };
#define TAVRIN_STEP(table)                                                                         \
    [](TN& t, bool first) { return first ? t.table.First() : t.table.Next(); }
    const Case cases[] = {
        {'r', 68, "next(reminder): reminder_index", TAVRIN_STEP(reminders)},
        {'p', 60, "next(planner): planner_index", TAVRIN_STEP(planner)},
        {'a', 850, "next(address): address_index", TAVRIN_STEP(contacts)},
        {'n', 48, "next(ingredients): ingredients_index", TAVRIN_STEP(ingredients)},
        {'k', 3760, "next(cooking): cooking_index", TAVRIN_STEP(recipes)},
        {'x', 52, "next(ingredients_temp): ingredients_temp_index", TAVRIN_STEP(tempIngredients)},
        {'m', 108, "next(medication): medication_index", TAVRIN_STEP(medication)},
    };
#undef TAVRIN_STEP
    for (const Case& c : cases) {
        writeFile(tn->files().path(c.letter), std::string(3 * c.size, '\0'));
        FaultFileSystem faulty;
        RecordingReporter r;
        auto t = openDiary(path, r, &faulty);
        ASSERT_TRUE(c.read(*t, true)) << c.letter << r.dump();
        faulty.failReadsOf(std::string(".tn") + c.letter);
        EXPECT_FALSE(c.read(*t, false));
        ASSERT_EQ(r.reports.size(), 2u) << c.letter << r.dump();
        EXPECT_EQ(r.reports[0].kind, ReportKind::FileError);
        EXPECT_EQ(r.reports[1].kind, ReportKind::Trace);
        EXPECT_EQ(r.reports[1].text, c.trace);
    }
}

} // namespace tavrin::test
