#pragma once
// The entries of each drop-down row on each tab, as language keys and as
// the texts the rows show.

#include "screens/advancedsetting/SettingsFacts.h"
#include "screens/advancedsetting/TimeChoices.h"

#include <string>
#include <vector>

namespace advancedsetting {

// Keys of the rows with fixed entries; empty for the time rows unless the
// nap feature is missing (its single "CorvexRequired" entry).
std::vector<const char*> ChoiceKeys(OptionRowId row, int tab, const SettingsFacts& facts);
std::vector<std::string> ChoiceTexts(OptionRowId row, int tab, const SettingsFacts& facts,
                                     const Translator& translate);
int ChoiceCount(OptionRowId row, int tab, const SettingsFacts& facts);
// The title key of a row; the nap row's depends on the platform.
const char* RowTitleKey(OptionRowId row, const SettingsFacts& facts);
// Whether the row lists times (and which list).
bool IsTimeRow(OptionRowId row, const SettingsFacts& facts);
bool TimeRowHasOneMinute(OptionRowId row, const SettingsFacts& facts);

} // namespace advancedsetting
