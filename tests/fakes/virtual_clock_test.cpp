// The virtual clock keeps the timer rules the engine relies on.
#include "fakes/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Ticks {
  VirtualClock clock;
  std::vector<std::string> log;
  Ticks() {
    clock.SetTickHandler([this](TimerId id) {
      static const char* names[] = {"TmrRecolocar", "TmrBajar", "Timer1"};
      log.push_back(std::to_string(clock.now()) + " " + names[static_cast<int>(id)]);
    });
  }
};

TEST(VirtualClockTest, ARunningTimerKeepsItsScheduleAndAStoppedOneRestartsAnIntervalLater) {
  Ticks t;
  t.clock.StartTimer(TimerId::TmrBajar);
  t.clock.AdvanceBy(60);
  t.clock.StartTimer(TimerId::TmrBajar);  // running: nothing changes
  t.clock.AdvanceBy(150);
  t.clock.StopTimer(TimerId::TmrBajar);
  t.clock.AdvanceBy(500);
  t.clock.StartTimer(TimerId::TmrBajar);
  t.clock.AdvanceBy(100);
  EXPECT_EQ((std::vector<std::string>{"100 TmrBajar", "200 TmrBajar", "810 TmrBajar"}), t.log);
}

TEST(VirtualClockTest, SimultaneousTicksFireInCreationOrder) {
  Ticks t;
  t.clock.StartTimer(TimerId::Timer1);
  t.clock.StartTimer(TimerId::TmrBajar);
  t.clock.AdvanceBy(300);
  // At 300 both fall due: TmrBajar was created before Timer1.
  EXPECT_EQ((std::vector<std::string>{"75 Timer1", "100 TmrBajar", "150 Timer1", "200 TmrBajar",
                                      "225 Timer1", "300 TmrBajar", "300 Timer1"}),
            t.log);
}

TEST(VirtualClockTest, HandlerMayStopItsOwnTimerAndStartAnother) {
  VirtualClock clock;
  std::vector<long> recolocar;
  clock.SetTickHandler([&](TimerId id) {
    if (id == TimerId::TmrBajar) {
      clock.StopTimer(TimerId::TmrBajar);
      clock.StartTimer(TimerId::TmrRecolocar);
    } else {
      recolocar.push_back(clock.now());
      clock.StopTimer(TimerId::TmrRecolocar);
    }
  });
  clock.StartTimer(TimerId::TmrBajar);
  EXPECT_TRUE(clock.RunUntilIdle());
  EXPECT_EQ((std::vector<long>{1150}), recolocar);
  EXPECT_FALSE(clock.AnyRunning());
}

}  // namespace
