#pragma once

// The localised labels that a banner shows around the year, the number of players and the rating,
// and the way back from a label to the bare value the user types.

#include <string>
#include <string_view>

namespace banner_editor {

// The label for a language code ("ENG" ... "JPN"); any other code gets the English label. An empty
// year or rating becomes "????", an empty players value "2"; a players value other than "1" is shown
// as "1-" + value. The value passed in is not changed.
std::u16string Make_Year(std::u16string_view yearVal, std::string_view tReg);
std::u16string Make_ESRB(std::u16string_view esrbVal, std::string_view tReg);
std::u16string Make_Players(std::u16string_view playVal, std::string_view tReg);

// The bare value a field shows for a label read from a pane (field text, "^" for a line break).
// Year: the first four characters when the label starts with a digit, else the last four; an empty
// label gives nothing (the field keeps its text). Players: the maximum number of players. Rating: the
// text after the first ":", trimmed, or empty.
std::u16string yearFromLabel(std::u16string_view label);
std::u16string playersFromLabel(std::u16string_view label);
std::u16string ratingFromLabel(std::u16string_view label);

// The language code of a year label: by the label before its ":" for the languages that have one,
// "FRA" for the French label (which has none), "JPN" for any other text without ":" (the empty text
// of a layout without a year pane included), and "ENG" for an unknown label before a ":".
std::string languageOfYearLabel(std::u16string_view yearLabel);

} // namespace banner_editor
