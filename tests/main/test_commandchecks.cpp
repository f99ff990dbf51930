#include "core/CommandChecks.h"
#include "core/PlaySystem.h"

#include <gtest/gtest.h>

using namespace numora;

namespace {
std::time_t LocalTime(int day, int month, int year, int hour, int minute = 0) {
    std::tm t{};
    t.tm_mday = day;
    t.tm_mon = month - 1;
    t.tm_year = year - 1900;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_isdst = -1;
    return std::mktime(&t);
}
} // namespace

TEST(UpdateReminder, MoreThanFiveDaysRoundedTiesToEven) {
    struct Case {
        int day, month, year, hour, minute;
        bool due;
        long days;
    };
    // The last draw is dated 10/3/2026.
    const Case cases[] = {
        {16, 3, 2026, 9, 0, true, 6},    // six days
        {14, 3, 2026, 23, 0, false, 5},  // four days and 23 hours
        {15, 3, 2026, 11, 59, false, 5}, // five days, before noon
        {15, 3, 2026, 12, 0, true, 6},   // five and a half: ties to even give 6
        {15, 3, 2026, 18, 0, true, 6},   {10, 3, 2026, 0, 0, false, 0},
        {13, 3, 2026, 12, 0, false, 4}, // three and a half: ties to even give 4
        {31, 3, 2026, 10, 0, true, 21}, // across the change to summer time
    };
    for (const auto& c : cases) {
        const std::time_t now = LocalTime(c.day, c.month, c.year, c.hour, c.minute);
        EXPECT_EQ(ReminderDays(now, 10, 3, 2026), c.days) << c.day << "/" << c.month << " " << c.hour;
        EXPECT_EQ(ReminderDue(now, 10, 3, 2026), c.due) << c.day << "/" << c.month << " " << c.hour;
    }
}

TEST(CommandChecks, EachCheckWithItsMessage) {
    PlaySystem s;
    struct Case {
        Check check;
        const char* text;
        const char* caption;
    };
    const Case empty[] = {
        {Check::ForecastNotEmpty, "Il pronostico non contiene nessun numero!", "Attenzione"},
        {Check::ForecastAtLeastThree, "Il pronostico deve contenere almeno 3 numeri!", "Attenzione"},
        {Check::ForecastOrPlays, "Il pronostico non contiene nessun numero!", "Attenzione"},
        {Check::AtLeastTwoPlays, "Per questo metodo è richiesta la presenza di almeno 2 giocate!", "Attenzione"},
        {Check::PlaysToEliminate, "Non ci sono giocate da eliminare!", "Numora"},
        {Check::PlaysToCheck, "Non ci sono giocate da controllare!", "Numora"},
        {Check::PlaysToPrint, "Non ci sono giocate da stampare!", "Attenzione"},
    };
    for (const auto& c : empty) {
        auto f = RunCheck(c.check, s);
        ASSERT_TRUE(f.has_value());
        EXPECT_EQ(f->text, c.text);
        EXPECT_EQ(f->caption, c.caption);
    }
    // Two chosen numbers pass A but not B; one play passes C, E, F, G but not D.
    s.forecast.setChosen(4, true);
    s.forecast.setChosen(9, true);
    EXPECT_FALSE(RunCheck(Check::ForecastNotEmpty, s));
    EXPECT_TRUE(RunCheck(Check::ForecastAtLeastThree, s));
    s.forecast.setChosen(11, true);
    EXPECT_FALSE(RunCheck(Check::ForecastAtLeastThree, s));
    s.forecast.clear();
    s.list.play(1).setNumbers({1, 2});
    s.list.setCount(1);
    EXPECT_FALSE(RunCheck(Check::ForecastOrPlays, s)) << "an empty forecast with plays opens the conditioned reduction";
    EXPECT_TRUE(RunCheck(Check::ForecastNotEmpty, s));
    EXPECT_TRUE(RunCheck(Check::AtLeastTwoPlays, s));
    for (Check c : {Check::PlaysToEliminate, Check::PlaysToCheck, Check::PlaysToPrint}) EXPECT_FALSE(RunCheck(c, s));
    s.list.setCount(2);
    EXPECT_FALSE(RunCheck(Check::AtLeastTwoPlays, s));
}
