// The row's characters for a time: the program's own forms, the 12-hour pictures of Windows
// time settings, quoted text, and times outside a day's clock.
#include "figures/clock_text.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using figures::clock::Designators;
using figures::clock::Form;
using figures::clock::Row;
using figures::clock::Time;

// The row as text, a blank cell as '_'.
std::u32string cells(const Row& row) {
    std::u32string text;
    for (int k = 1; k <= row.length; ++k) {
        text += row.cell[static_cast<std::size_t>(k)] == 0 ? U'_'
                                                           : row.cell[static_cast<std::size_t>(k)];
    }
    return text;
}

std::u32string written(Time time, std::u16string_view picture,
                       Designators designators = {u"午前", u"午後"}) {
    Row row{};
    figures::clock::writeTime(time, picture, designators, row);
    return cells(row);
}

struct Case {
    Time time;
    std::u16string_view picture;
    std::u32string_view row;
};

TEST(ClockText, TimesInEveryForm) {
    const std::u16string_view hms = figures::clock::fixedPicture(Form::hoursMinutesSeconds);
    const std::u16string_view hm = figures::clock::fixedPicture(Form::hoursMinutes);
    const Case cases[] = {
        {{0, 0, 0}, hms, U"00:00:00"},  // midnight
        {{12, 0, 0}, hms, U"12:00:00"}, // noon
        {{13, 5, 9}, hms, U"13:05:09"},
        {{9, 5, 9}, hms, U"09:05:09"},    // one-digit hour keeps two digits
        {{23, 59, 59}, hms, U"23:59:59"}, // the day's last second
        {{23, 59, 59}, hm, U"23:59"},
        {{7, 3, 0}, hm, U"07:03"},
        // Japanese Windows' 12-hour form: the designator, a blank, the hour without a zero (and
        // the room for its second digit).
        {{0, 0, 0}, u"tt h:mm:ss", U"午前_12:00:00"},
        {{12, 0, 0}, u"tt h:mm:ss", U"午後_12:00:00"},
        {{13, 5, 9}, u"tt h:mm:ss", U"午後__1:05:09"},
        {{11, 59, 59}, u"tt h:mm:ss", U"午前_11:59:59"},
        {{23, 59, 59}, u"tt h:mm:ss", U"午後_11:59:59"},
        {{13, 5, 9}, u"t hh:mm", U"午_01:05"},
        // The default Japanese form: 24 hours, no zero before the hour.
        {{9, 5, 9}, u"H:mm:ss", U"_9:05:09"},
        {{0, 0, 0}, u"H:mm:ss", U"_0:00:00"},
        {{5, 6, 7}, u"H'時'm'分'", U"_5時_6分"},
        {{5, 6, 7}, u"H 'o''clock'", U"_5_o'clock"},
        {{5, 6, 7}, u"s'", U"_7"}, // a quote left open ends the picture
    };
    for (const Case& c : cases) {
        EXPECT_EQ(written(c.time, c.picture), c.row)
            << c.time.hour << ":" << c.time.minute << ":" << c.time.second;
    }
}

TEST(ClockText, WesternDesignatorsAndLongText) {
    const Designators western{u"AM", u"PM"};
    EXPECT_EQ(written({0, 30, 0}, u"h:mm tt", western), U"12:30_AM");
    EXPECT_EQ(written({12, 30, 0}, u"h:mm t", western), U"12:30_P");
    EXPECT_EQ(written({1, 2, 3}, u"hh:mm:ss tt", western), U"01:02:03_AM");
    // A character outside the basic plane is one cell.
    EXPECT_EQ(written({1, 2, 3}, u"s\U0001F552", western), U"_3\U0001F552");
    // Never more cells than slots.
    Row row{};
    figures::clock::writeTime({1, 2, 3}, u"'abcdefghijklmnopqrstuvwxyz' ss", western, row);
    EXPECT_EQ(row.length, figures::maxSlots);
    EXPECT_EQ(row.cell[figures::maxSlots], U'z');
}

TEST(ClockText, AnyValueIsHeldToTheDay) {
    const std::u16string_view hms = u"HH:mm:ss";
    EXPECT_EQ(written({24, 60, 60}, hms), U"00:00:00");
    EXPECT_EQ(written({-1, -1, -1}, hms), U"23:59:59");
    EXPECT_EQ(written({INT32_MIN, INT32_MAX, INT32_MIN}, hms), U"16:07:52");
    EXPECT_EQ(figures::clock::formOf(2), Form::hoursMinutes);
    EXPECT_EQ(figures::clock::formOf(3), Form::userSettings);
    for (std::int32_t stored : {0, 1, 4, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(figures::clock::formOf(stored), Form::hoursMinutesSeconds) << stored;
    }
}

} // namespace
