#pragma once

// Catalogue lines the commands show, by what they say. The texts are in the catalogue
// (cataloguedata.cpp), in German and English.
namespace korvel::Msg {

inline constexpr int Untitled = 0;
inline constexpr int StatusRowColumn = 2;
inline constexpr int InvalidSelection = 4;
inline constexpr int SearchNotFound = 18;
inline constexpr int NoPageLoaded = 20;
inline constexpr int SaveChangesTo = 21;
inline constexpr int CannotOpenFile = 22;
inline constexpr int BackupFailed = 23;
inline constexpr int CannotSaveFile = 24;
inline constexpr int OkToOverwrite = 25;
inline constexpr int ListSelectionError = 26;
inline constexpr int NoSupportedEngine = 27;
inline constexpr int SwitchToSource = 28;
inline constexpr int EnterLineNumber = 30;
inline constexpr int InvalidInput = 31;
inline constexpr int UrlNotFound = 33;
inline constexpr int HyphenationDeleted = 34;
inline constexpr int GettingSourceFailed = 35;
inline constexpr int SwitchToBrowser = 36;
inline constexpr int SaveOnlinePageFirst = 37;
inline constexpr int SelectCharacterFirst = 38;
inline constexpr int NotFound = 39;
inline constexpr int PasteSelectionError = 45;
inline constexpr int ElementPropertiesError = 49;
inline constexpr int EnableDesignMode = 51;
inline constexpr int DeleteBackups = 53;
inline constexpr int FilesDeleted = 54;
inline constexpr int UpdateFailed = 55;

} // namespace korvel::Msg

namespace korvel {

// The two pages of the page control.
enum class Page { Source = 0, Designer = 1 };

} // namespace korvel
