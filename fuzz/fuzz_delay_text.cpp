// Delayed-start numbers and the put-back command.
#include <string>

#include "delay_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const int minutes = static_cast<int>(input.Number(4));
  const int tens = static_cast<int>(input.Number(4));
  const std::string_view stored = input.Piece();
  const std::string_view program = input.Piece();
  const std::string_view parameters = input.Piece();
  const std::string_view applet = input.Piece();

  const int delay = DelayFromEntries(minutes, tens);
  KV_CHECK(delay >= 0 && delay <= kDelayMinutesMax * 60 + 50 && delay % 10 == 0);
  const DelayEntries back = DelayToEntries(delay);
  KV_CHECK(DelayFromEntries(back.minutes, back.tenSeconds) == delay);

  const DelayEntries shown = DelayToEntries(DelaySeconds(stored));
  KV_CHECK(shown.minutes >= 0 && shown.minutes <= kDelayMinutesMax);
  KV_CHECK(shown.tenSeconds >= 0 && shown.tenSeconds < kDelayTenSecondEntries);
  const int state = DelayState(stored);
  KV_CHECK(state >= 0 && state <= kDelayStateMax);

  const std::string command = DelayRestoreCommand(program, parameters, applet);
  KV_CHECK(EndsWith(command, parameters));
  KV_CHECK(command.size() <= applet.size() + program.size() + parameters.size() + 2);
  const std::size_t start = applet.empty() ? 0 : applet.size() + 1;
  KV_CHECK(command.compare(start, program.size(), program) == 0);
  return 0;
}
