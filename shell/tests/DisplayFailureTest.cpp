// The reason given when no display could be opened names each display and what became of it.
#include "shell/DisplayFailure.h"

#include <gtest/gtest.h>

namespace nuikaro {
namespace {

struct FailureCase {
  DisplayAttempt Attempt;
  const char* Reason;
};

const FailureCase FailureTable[] = {
    {{":4099", X11Answer::NoServer, "", "", "x11 not available"},
     "cannot open the display \":4099\": no X server answers there"},
    {{":222", X11Answer::Refused, "Authorization required, but no authorization protocol specified",
      "", "x11 not available"},
     "cannot open the display \":222\": the X server there refused the connection: "
     "Authorization required, but no authorization protocol specified"},
    {{":222", X11Answer::Refused, "", "", ""},
     "cannot open the display \":222\": the X server there refused the connection"},
    // The server took the connection, yet SDL could not use it: SDL's own words.
    {{":0", X11Answer::Accepted, "", "", "Couldn't find matching GLX visual"},
     "cannot open the display \":0\": Couldn't find matching GLX visual"},
    {{":0", X11Answer::Accepted, "", "", ""},
     "cannot open the display \":0\": the X server there took no window"},
    {{"", X11Answer::NotAsked, "", "wayland-9", "No available video device"},
     "cannot open the Wayland display \"wayland-9\": no compositor answers there"},
    {{":4099", X11Answer::NoServer, "", "wayland-9", "No available video device"},
     "cannot open the display \":4099\": no X server answers there, nor the Wayland display "
     "\"wayland-9\": no compositor answers there"},
    {{":222", X11Answer::Refused, "Invalid MIT-MAGIC-COOKIE-1 key", "wayland-9", ""},
     "cannot open the display \":222\": the X server there refused the connection: Invalid "
     "MIT-MAGIC-COOKIE-1 key, nor the Wayland display \"wayland-9\": no compositor answers there"},
    {{"", X11Answer::NotAsked, "", "", "kmsdrm not available"},
     "cannot open the display: kmsdrm not available"},
};

TEST(DisplayFailureTest, NamesEachDisplayAndWhetherAServerAnsweredOrRefused) {
  for (const FailureCase& failure : FailureTable) {
    EXPECT_EQ(DisplayFailureReason(failure.Attempt), failure.Reason);
  }
}

}  // namespace
}  // namespace nuikaro
