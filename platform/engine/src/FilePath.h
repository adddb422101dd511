#pragma once
// Paths as the host writes them ("C:\Daten\Be.MDB", "Language.MDB") mapped
// onto the local file system: "\" becomes "/", and a component that does not
// exist under its exact name is matched against its folder's entries
// ignoring case (folders and file alike).
#include <optional>
#include <string>

namespace engine::detail {

// "\" -> "/"; repeated separators kept as written.
std::string normalizeSeparators(const std::string& path);
// A drive-letter path ("C:/x") on this system: true.
bool hasDriveLetter(const std::string& path);
// The existing file the path names (exact name first, then ignoring case
// component by component); nullopt when there is none.
std::optional<std::string> findFile(const std::string& path);
// The folder part of a path ("" for a bare file name; "/" kept for root).
std::string folderOf(const std::string& path);
std::string fileNameOf(const std::string& path);
// Joins a relative path to a folder; absolute paths stay.
std::string joinPath(const std::string& folder, const std::string& path);

} // namespace engine::detail
