// The bytes of the record file and the record time, without the panels.
#include "gui/recorder/record_file.h"

#include <gtest/gtest.h>

#include <string>

#include "gui/recorder/record_page.h"

namespace {

TEST(RecordFile, HeaderWithAndWithoutSensorId) {
  const std::string titles =
      "DATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta C\tCOLOR\tGROUP\tTRIGGER\tTEMP\r\n";
  EXPECT_EQ(RecordHeaderText("LINE 3 / B"),
            "\nRECORD RESULTS OF: COLMIRA3-Rarev V4.2\r\nPANEL ID: LINE 3 / B\r\n\r\n" + titles);
  EXPECT_EQ(RecordHeaderText(""), "\nRECORD RESULTS OF: COLMIRA3-Rarev V4.2\r\n\r\n" + titles);
}

TEST(RecordFile, DataLineBytes) {
  std::tm when{};
  when.tm_year = 2026 - 1900;
  when.tm_mon = 2;  // March
  when.tm_mday = 7;
  when.tm_hour = 9;
  when.tm_min = 5;
  when.tm_sec = 2;
  struct Case {
    uint16_t frame[20];
    const char* line;
  } cases[] = {
      // delta C is the one signed field; the words after TEMP are not written.
      {{1201, 2302, 3403, 321, 345, 2210, 0xFFF6, 4, 2, 1, 36, 9, 9, 9, 9, 9, 9, 9, 9, 9},
       "03-07-2026\t09:05:02\t1201\t2302\t3403\t321\t345\t2210\t-10\t4\t2\t1\t36\r\n"},
      {{65535, 0, 0, 65535, 0, 0, 0x8000, 255, 255, 0, 65535},
       "03-07-2026\t09:05:02\t65535\t0\t0\t65535\t0\t0\t-32768\t255\t255\t0\t65535\r\n"},
      {{0, 0, 0, 0, 0, 0, 0x7FFF, 0, 0, 0, 0},
       "03-07-2026\t09:05:02\t0\t0\t0\t0\t0\t0\t32767\t0\t0\t0\t0\r\n"},
  };
  for (const auto& c : cases) {
    char out[192];
    int n = FormatRecordLine(out, sizeof out, c.frame, when);
    EXPECT_EQ(std::string(out, static_cast<size_t>(n)), c.line);
  }
  when.tm_mon = 11, when.tm_mday = 31, when.tm_hour = 23, when.tm_min = 59, when.tm_sec = 59;
  char out[192];
  uint16_t zero[20] = {};
  FormatRecordLine(out, sizeof out, zero, when);
  EXPECT_EQ(std::string(out).substr(0, 20), "12-31-2026\t23:59:59\t");
}

TEST(RecordTime, SplitIntoDaysHoursMinutesSeconds) {
  struct Case {
    double interval;
    uint16_t frames;
    double used;
    int days, hours, minutes;
    double seconds;
  } cases[] = {
      {0.1, 1000, 0.25, 0, 0, 4, 10},  // raised to the minimum first
      {0.25, 1000, 0.25, 0, 0, 4, 10},     {1, 100, 1, 0, 0, 1, 40},
      {3661.5, 1, 3661.5, 0, 1, 1, 1.5},   {86400, 3, 86400, 3, 0, 0, 0},
      {0.25, 65535, 0.25, 0, 4, 33, 3.75},
  };
  for (const auto& c : cases) {
    RecordTime t = RecordTimeOf(c.interval, c.frames);
    EXPECT_EQ(t.interval, c.used);
    EXPECT_EQ(t.days, c.days);
    EXPECT_EQ(t.hours, c.hours);
    EXPECT_EQ(t.minutes, c.minutes);
    EXPECT_DOUBLE_EQ(t.seconds, c.seconds) << c.interval << " x " << c.frames;
  }
}

}  // namespace
