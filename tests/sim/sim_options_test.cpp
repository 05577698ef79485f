#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include "sim/sensor.h"

namespace sim {
namespace {

TEST(SimOptions, DefaultsAndLinks) {
  auto p = ParseOptions({});
  EXPECT_TRUE(p.error.empty());
  EXPECT_TRUE(p.options.tcp);
  EXPECT_EQ(p.options.tcpPort, 10001);
  EXPECT_EQ(p.options.bindAddr, "127.0.0.1");
  EXPECT_FALSE(p.options.pty);

  p = ParseOptions({"--no-tcp", "--pty", "/tmp/s", "--baud", "9600", "--strict-baud"});
  EXPECT_TRUE(p.error.empty()) << p.error;
  EXPECT_FALSE(p.options.tcp);
  EXPECT_EQ(p.options.ptyLink, "/tmp/s");
  EXPECT_EQ(p.options.baud, 9600);
  EXPECT_TRUE(p.options.strictBaud);
}

TEST(SimOptions, FaultsAndCounts) {
  const auto p = ParseOptions({"--fault", "silence:0x08:3", "--fault", "BadDataCrc", "--fault",
                               "close:any:all", "--count", "2:0x04", "--pieces", "3,10:25",
                               "--garbage", "12"});
  ASSERT_TRUE(p.error.empty()) << p.error;
  const auto& f = p.options.faults;
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f[0].fault, Fault::Silence);
  EXPECT_EQ(f[0].order, 0x08);
  EXPECT_EQ(f[0].count, 3);
  EXPECT_EQ(f[1].fault, Fault::BadDataCrc);
  EXPECT_EQ(f[1].order, kAnyOrder);
  EXPECT_EQ(f[1].count, 1);
  EXPECT_EQ(f[2].count, kUntilCleared);
  ASSERT_EQ(p.options.counts.size(), 1u);
  EXPECT_EQ(p.options.counts[0].count, 2);
  EXPECT_EQ(p.options.counts[0].order, 0x04);
  EXPECT_EQ(*p.options.pieceSizes, (std::vector<int>{3, 10}));
  EXPECT_EQ(p.options.pieceGapMs, 25);

  Sensor sensor;
  ApplyOptions(p.options, sensor);
  EXPECT_TRUE(sensor.Handle(0, {0x08, 0, {}}).pieces.empty());
}

TEST(SimOptions, Rejects) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--tcp"},
           {"--tcp", "70000"},
           {"--fault", "melt"},
           {"--fault", "silence:0x100"},
           {"--fault", "silence:8:0"},
           {"--pieces", "3,x"},
           {"--no-tcp"},
           {"--frobnicate"},
       }) {
    EXPECT_FALSE(ParseOptions(args).error.empty()) << args[0];
  }
  EXPECT_TRUE(ParseOptions({"--help"}).options.help);
}

}  // namespace
}  // namespace sim
