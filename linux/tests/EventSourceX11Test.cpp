// The X11 event source waiting on a pipe in place of the display connection, with SDL's event
// queue on the offscreen driver.
#include "linux/EventSourceX11.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace nuikaro {
namespace {

class ConnectionEventSourceTest : public testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(pipe(pipe_), 0);
    source_ = ConnectionEventSource(pipe_[0]);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override {
    close(pipe_[0]);
    close(pipe_[1]);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  // How long NextEvent took, in milliseconds, and what it returned.
  std::pair<double, bool> Timed(SDL_Event& event, int timeout) {
    const auto start = std::chrono::steady_clock::now();
    const bool got = source_->NextEvent(event, timeout);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return {took.count(), got};
  }

  static void Push(uint32_t code) {
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    event.user.code = static_cast<int32_t>(code);
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }

  int pipe_[2] = {-1, -1};
  std::unique_ptr<EventSource> source_;
};

TEST_F(ConnectionEventSourceTest, QueuedEventsComeOutInTurnAtOnceWhateverTheTimeout) {
  Push(1);
  Push(2);
  Push(3);
  SDL_Event event{};
  for (const auto& [timeout, code] : {std::pair{-1, 1}, std::pair{0, 2}, std::pair{5000, 3}}) {
    const auto [took, got] = Timed(event, timeout);
    ASSERT_TRUE(got) << code;
    EXPECT_EQ(event.type, SDL_USEREVENT);
    EXPECT_EQ(event.user.code, code);
    EXPECT_LT(took, 1000.0) << code;
  }
}

// Over a second, so that both the seconds and the rest of the wait count.
TEST_F(ConnectionEventSourceTest, AnEmptyQueueWaitsTheTimeoutAtTheConnectionOrNotAtAll) {
  SDL_Event event{};
  auto [took, got] = Timed(event, 0);
  EXPECT_FALSE(got);
  EXPECT_LT(took, 100.0);
  std::tie(took, got) = Timed(event, 1300);
  EXPECT_FALSE(got);
  EXPECT_GE(took, 1290.0);
  EXPECT_LT(took, 5000.0);
}

TEST_F(ConnectionEventSourceTest, AnEndlessWaitEndsWhenTheConnectionHasSomethingToRead) {
  ASSERT_EQ(write(pipe_[1], "x", 1), 1);
  SDL_Event event{};
  const auto [took, got] = Timed(event, -1);
  EXPECT_FALSE(got);
  EXPECT_LT(took, 5000.0);
}

// Events that the pump's last requests read into the display's own queue: the connection has
// nothing more, so a wait there would last until some other event (a close request sat through
// the whole wait so). The writer only ends a wait that should not have begun.
TEST_F(ConnectionEventSourceTest, AnEndlessWaitDoesNotBeginWhileTheDisplayHoldsEventsAlreadyRead) {
  source_ = ConnectionEventSource(pipe_[0], [] { return true; });
  std::thread writer([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(3000));
    ASSERT_EQ(write(pipe_[1], "x", 1), 1);
  });
  SDL_Event event{};
  const auto [took, got] = Timed(event, -1);
  writer.join();
  EXPECT_FALSE(got);
  EXPECT_LT(took, 1000.0);
}

TEST_F(ConnectionEventSourceTest, AnEventThatComesDuringTheWaitIsTakenByThatSameCall) {
  std::thread other([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Push(7);
    ASSERT_EQ(write(pipe_[1], "x", 1), 1);
  });
  SDL_Event event{};
  const auto [took, got] = Timed(event, -1);
  other.join();
  EXPECT_TRUE(got);
  EXPECT_EQ(event.type, SDL_USEREVENT);
  EXPECT_EQ(event.user.code, 7);
  EXPECT_GE(took, 90.0);
}

// SIGTERM (a log-out, kill) or SIGINT (Ctrl+C) while the game waits, or just before: SDL's handler
// has it queue a quit, and the wait ends at once. The thread's own signal mask, holding something
// else, is the same afterwards.
TEST_F(ConnectionEventSourceTest, ACloseSignalDuringAnEndlessWaitEndsItWithAQuit) {
  sigset_t held;
  sigemptyset(&held);
  sigaddset(&held, SIGUSR1);
  ASSERT_EQ(pthread_sigmask(SIG_SETMASK, &held, nullptr), 0);
  const pthread_t waiting = pthread_self();
  for (const int close : {SIGTERM, SIGINT}) {
    std::thread other([waiting, close] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      pthread_kill(waiting, close);
    });
    SDL_Event event{};
    const auto [took, got] = Timed(event, -1);
    other.join();
    EXPECT_TRUE(got) << close;
    EXPECT_EQ(event.type, SDL_QUIT) << close;
    EXPECT_LT(took, 5000.0) << close;
    // One that came before the wait, while nothing pumped SDL's events, ends it as soon.
    raise(close);
    const auto [tookAfterEarly, gotAfterEarly] = Timed(event, 3000);
    EXPECT_TRUE(gotAfterEarly) << close;
    EXPECT_EQ(event.type, SDL_QUIT) << close;
    EXPECT_LT(tookAfterEarly, 1500.0) << close;
    sigset_t after;
    ASSERT_EQ(pthread_sigmask(SIG_SETMASK, nullptr, &after), 0);
    for (const int signal : {SIGUSR1, SIGTERM, SIGINT}) {
      EXPECT_EQ(sigismember(&after, signal), signal == SIGUSR1 ? 1 : 0) << signal;
    }
  }
  sigemptyset(&held);
  pthread_sigmask(SIG_SETMASK, &held, nullptr);
}

}  // namespace
}  // namespace nuikaro
