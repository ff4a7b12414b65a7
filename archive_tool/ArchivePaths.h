#pragma once

// The path texts of the two fields (archive and folder) and how each is derived from the other.
// "\" and "/" both separate folders; a text that begins with "\" is relative to the program folder.
// Where a separator is appended, it is the kind the text already uses ("\" when it has none).

#include <filesystem>
#include <string>
#include <string_view>

namespace archive_tool {

// The text with "\" in front when it is neither absolute nor relative to the program folder, so a
// bare name is taken from the program folder.
std::u16string anchoredPathText(std::u16string_view text);

// Appends "\" when the text does not end with a separator, then puts the program folder's path in
// front of a text that begins with "\".
std::u16string FixPath(std::u16string_view text, const std::filesystem::path& programFolder);

// The folder an archive extracts into: its name with every "." turned into "_", then "_OUT" and a
// separator. "C:\data\game.ccf" gives "C:\data\game_ccf_OUT\".
std::u16string folderTextForArchive(std::u16string_view archiveText);

// The archive a folder packs into: a last folder name ending in "_OUT" (any case) loses it and has
// every "_" turned into ".", so "C:\data\game_ccf_OUT\" gives "C:\data\game.ccf"; any other name gets
// ".ccf" appended ("C:\data\stuff" gives "C:\data\stuff.ccf") rather than naming the folder itself.
std::u16string archiveTextForFolder(std::u16string_view folderText);

struct PathTexts
{
    std::u16string file;   // the archive field
    std::u16string folder; // the folder field
};

// The two texts as an extraction rewrites them: the archive text anchored; an empty folder text
// derived from the archive text ("_OUT" appended, then every "." of that last folder name turned into
// "_"; dots in parent folders stay); a folder text that is given is used as it stands ("\ver.2\out"
// stays, so does "\v1.2"); the folder text anchored and ending with a separator.
PathTexts extractionTexts(std::u16string_view fileText, std::u16string_view folderText);

// The two texts as a pack rewrites them: the folder text anchored; an empty archive text derived from
// the folder as FixPath gives it (archiveTextForFolder), so a folder inside the program folder names
// its archive by the full path. A bare archive name stays as typed (the current folder's).
PathTexts packingTexts(std::u16string_view fileText, std::u16string_view folderText,
                       const std::filesystem::path& programFolder);

} // namespace archive_tool
