#pragma once

// The program's name and version; the number comes from project(VERSION) in the top CMakeLists.
namespace core {

inline constexpr const char* ProductName = "Dungeon Map Editor";
extern const char* const EditorVersion;

}  // namespace core
