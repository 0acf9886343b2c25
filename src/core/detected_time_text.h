// First-detected times as other programs read them. The store keeps each time as the text
// the user's regional patterns made of it (see datetime_text.h); this reads every form that
// writer makes back into ISO 8601. Platform-free.
#pragma once
#include <string>
#include <string_view>

// "YYYY-MM-DDThh:mm:00" (local time; the store keeps no seconds and no zone), or empty when
// the text is not a date and time the writer makes. "12:mm AM" reads as noon: only older
// versions wrote it, and they wrote it for the hour after noon (midnight was always "0:mm").
std::string DetectedTimeIso(std::string_view stored);
