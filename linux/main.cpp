// The Linux desktop program.
#include "shell/FrontEnd.h"

int main() {
  return nuikaro::RunDesktop();
}
