// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The ids of the main window's commands, the keys of the command registry.
enum class Command : int {
    New = 57600,
    Open = 57601,
    CloseProject = 57602,
    Save = 57603,
    SaveCardData = 57604,
    Exit = 57665,
    NewSong = 32860,
    NewPlaylist = 32948,
    InitialiseCard = 32949,
    RestoreCardData = 32952,
    Undo = 32869,
    Redo = 32870,
    TextEditor = 32773,
    MenuPage = 32774,
    FontEditor = 32776,
    ExportFonts = 32804,
    IssueWindow = 32868,
    StatusBar = 59393,
    ToolBar = 59392,
    FindSong = 32890,
    GenerateReport = 32910,
    RefreshFileList = 32891,
    ProgramSettings = 32873,
    About = 57664,
    // Commands of this program's own, beside the board's classic menu.
    OpenFolderAsCard = 32980,
    GroupColours = 32981,
    CardWizard = 32982,
    ImportLyricFiles = 32983,
    SaveItem = 32984,
    SaveSlide = 32985,
    Shortcuts = 32986,
    Guide = 32987,
};
