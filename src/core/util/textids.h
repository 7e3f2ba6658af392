// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every language text id the program looks up, by name. Code asks for texts only
// through these names (Lang::text(Txt::ErrorCaption)), so the test of the shipped
// language files can walk this one list. Add new ids here, then to every .lang file.
// The ids sit at the bottom so that every layer can name a message; the texts are looked
// up only by the language layer above (core/app/language.h) and the user interfaces.
#define LUMIVOX_TEXT_IDS(X)                                                           \
    /* message boxes */                                                               \
    X(ErrorCaption, 101)                                                              \
    X(ButtonCancel, 102)                                                              \
    X(QuestionCaption, 104)                                                           \
    X(InfoCaption, 105)                                                               \
    X(ButtonOk, 408)                                                                  \
    X(ButtonYes, 513)                                                                 \
    X(ButtonNo, 514)                                                                  \
    /* start-up */                                                                    \
    X(AlreadyRunning, 522)                                                            \
    /* main menu */                                                                   \
    X(MenuFile, 116)                                                                  \
    X(MenuEdit, 132)                                                                  \
    X(MenuView, 135)                                                                  \
    X(MenuTools, 142)                                                                 \
    X(MenuHelp, 146)                                                                  \
    X(MenuCloseProject, 128)                                                          \
    X(MenuSave, 129)                                                                  \
    X(MenuSaveCardData, 130)                                                          \
    X(MenuExit, 131)                                                                  \
    X(MenuNewSong, 182)                                                               \
    X(MenuNewPlaylist, 509)                                                           \
    X(MenuInitialiseCard, 510)                                                        \
    X(MenuRestoreCardData, 511)                                                       \
    X(MenuUndo, 133)                                                                  \
    X(MenuRedo, 134)                                                                  \
    X(MenuTextEditor, 136)                                                            \
    X(MenuMenuPage, 137)                                                              \
    X(MenuFontEditor, 138)                                                            \
    X(MenuIssueWindow, 139)                                                           \
    X(MenuStatusBar, 140)                                                             \
    X(MenuToolBar, 141)                                                               \
    X(MenuFindSong, 143)                                                              \
    X(MenuGenerateReport, 367)                                                        \
    X(MenuRefreshFileList, 144)                                                       \
    X(MenuProgramSettings, 145)                                                       \
    X(MenuAbout, 147)                                                                 \
    X(MenuNew, 600)                                                                   \
    X(MenuOpen, 601)                                                                  \
    /* status bar */                                                                  \
    X(StatusDrive, 114)                                                               \
    X(StatusNoDrive, 115)                                                             \
    /* program settings dialog */                                                     \
    X(SettingsTitle, 273)                                                             \
    X(SettingsLanguageLabel, 390)                                                     \
    X(SettingsNoLanguageChosen, 416)                                                  \
    X(SettingsNoLanguageFound, 417)                                                   \
    X(SettingsMusicDirLabel, 602)                                                     \
    X(SettingsTenRows, 603)                                                           \
    X(SettingsSixRows, 604)                                                           \
    X(SettingsBoardLabel, 605)                                                        \
    X(SettingsLanguageAtRestart, 606)                                                 \
    /* about box */                                                                   \
    X(AboutTitle, 607)                                                                \
    X(AboutDescription, 608)                                                          \
    X(AboutDataFolderLink, 609)                                                       \
    /* board fonts */                                                                 \
    X(FontSaveFailed, 110)                                                            \
    X(FontExportUnreadable, 206)                                                      \
    X(FontExportMissing, 207)                                                         \
    X(FontExportCannotCreate, 208)                                                    \
    X(FontExportNoFonts, 281)                                                         \
    X(MenuExportFonts, 615)                                                           \
    X(FontExportDone, 616)                                                            \
    X(FontExportControlInName, 944)                                                   \
    X(FontExportIncomplete, 945)                                                      \
    X(FontExportBadColumn, 946)                                                       \
    X(FontExportSkippedFonts, 947)                                                    \
    /* LED matrix and number maps */                                                  \
    X(MatrixEmptyState, 305)                                                          \
    X(MatrixPasteTooLong, 348)                                                        \
    X(NumberMapNumberTaken, 350)                                                      \
    /* library names: group and playlist name rules */                                \
    X(PlaylistForbiddenCharacter, 175)                                                \
    X(PlaylistNameEmpty, 176)                                                         \
    X(GroupExists, 178)                                                               \
    X(GroupReservedName, 179)                                                         \
    X(GroupForbiddenCharacter, 180)                                                   \
    X(GroupNameLabel, 181)                                                            \
    X(TitleForbiddenCharacter, 233)                                                   \
    X(PlaylistNameTooLong, 351)                                                       \
    X(GroupNameTooLong, 496)                                                          \
    /* library issues, by issue code (issueTextId) */                                 \
    X(IssueNumberRange, 193)                                                          \
    X(IssueDuplicateNumber, 194)                                                      \
    X(IssueNameTooLong, 495)                                                          \
    X(IssueEmptySequence, 411)                                                        \
    X(IssueShortLine, 493)                                                            \
    X(IssueMissingEntry, 413)                                                         \
    X(IssueDuplicateTitle, 516)                                                       \
    X(IssueMissingRefrain, 526)                                                       \
    X(IssueOther, 494)                                                                \
    /* card data file and card copies */                                              \
    X(CardDataReadFailed, 112)                                                        \
    X(CardDataWrongFormat, 504)                                                       \
    X(CardDataDamaged, 620)                                                           \
    X(CardDataTruncated, 621)                                                         \
    X(CardFileNotWritten, 622)                                                        \
    X(CardFileNotRead, 623)                                                           \
    X(CardNameNotStorable, 624)                                                       \
    X(UnpackFolderNotMade, 942)                                                       \
    X(UnpackStopped, 943)                                                             \
    X(CardImageMissing, 625)                                                          \
    X(CardImageOverlap, 626)                                                          \
    X(CardFolderNotCard, 627)                                                         \
    X(CardFolderForbidden, 628)                                                       \
    X(CardFolderMissing, 629)                                                         \
    /* items appended to a card */                                                    \
    X(CardNothingAppended, 486)                                                       \
    X(CardChangeNew, 491)                                                             \
    X(CardChangeReplaced, 492)                                                        \
    X(CardKindSong, 505)                                                              \
    X(CardKindPlaylist, 506)                                                          \
    X(CardKindSlide, 507)                                                             \
    /* library panel and tree */                                                      \
    X(PanelTitle, 515)                                                                \
    X(TreeRoot, 283)                                                                  \
    X(TreeSlides, 284)                                                                \
    X(TreePlaylists, 519)                                                             \
    X(MenuRefreshSongList, 368)                                                       \
    X(MenuNewGroup, 396)                                                              \
    X(MenuExpandAll, 517)                                                             \
    X(MenuCollapseAll, 518)                                                           \
    X(MenuSort, 523)                                                                  \
    X(MenuSortByTitle, 524)                                                           \
    X(MenuSortByNumber, 525)                                                          \
    X(MenuSearchSong, 414)                                                            \
    X(MenuExpandGroup, 398)                                                           \
    X(MenuDeleteGroup, 397)                                                           \
    X(MenuAddToPlaylist, 399)                                                         \
    X(MenuEditSong, 401)                                                              \
    X(MenuDelete, 400)                                                                \
    X(MenuEditSlide, 402)                                                             \
    X(MenuRepairNumbers, 512)                                                         \
    X(MenuEditPlaylist, 498)                                                          \
    X(MenuRename, 520)                                                                \
    X(MoveReplaceQuestion, 379)                                                       \
    X(GroupNotEmpty, 405)                                                             \
    X(DeleteFilesQuestion, 406)                                                       \
    X(DeleteFileFailed, 407)                                                          \
    X(FileMissing, 499)                                                               \
    X(WaitTitle, 421)                                                                 \
    X(CardInsertedQuestion, 500)                                                      \
    X(MenuOpenFolderAsCard, 630)                                                      \
    X(OpenFolderAsCardCaption, 632)                                                   \
    X(FolderNotACard, 633)                                                            \
    X(MenuOpenGroupFolder, 634)                                                       \
    /* groups and group colours */                                                    \
    X(AddGroupTitle, 177)                                                             \
    X(GroupCreateFailed, 404)                                                         \
    X(GroupColourName, 352)                                                           \
    X(GroupColourFrom, 353)                                                           \
    X(GroupColourTo, 354)                                                             \
    X(GroupColourAdd, 355)                                                            \
    X(GroupColourDelete, 356)                                                         \
    X(GroupColourTitle, 373)                                                          \
    X(ColourGroupTitle, 374)                                                          \
    X(ColourGroupNameBox, 357)                                                        \
    X(ColourGroupFromList, 358)                                                       \
    X(ColourGroupManual, 359)                                                         \
    X(ColourGroupColour, 360)                                                         \
    X(ColourGroupRange, 361)                                                          \
    X(ColourGroupFrom, 362)                                                           \
    X(ColourGroupTo, 363)                                                             \
    X(ColourGroupNoName, 378)                                                         \
    /* issue window */                                                                \
    X(IssueWindowTitle, 192)                                                          \
    X(IssueColumnNumber, 195)                                                         \
    X(IssueColumnText, 196)                                                           \
    X(IssueColumnFile, 197)                                                           \
    X(IssueWindowClose, 410)                                                          \
    X(IssueWindowWarning, 409)                                                        \
    /* search and playlist rename */                                                  \
    X(SearchTitle, 239)                                                               \
    X(SearchEmpty, 240)                                                               \
    X(SearchOptions, 370)                                                             \
    X(SearchByTitle, 371)                                                             \
    X(SearchByNumber, 372)                                                            \
    X(SearchNotFound, 289)                                                            \
    X(SearchNumberNotFound, 631)                                                      \
    X(PlaylistRenameTitle, 173)                                                       \
    X(PlaylistRenameLabel, 174)                                                       \
    /* data safety: 640-649 and the ids it uses */                                    \
    X(SettingsNotSaved, 640)                                                          \
    X(CardCopyNoSpace, 641)                                                           \
    X(CardFilesNotCopied, 642)                                                        \
    X(CardClearFailed, 643)                                                           \
    X(CardReadOnly, 644)                                                              \
    X(CardNotRegularFile, 645)                                                        \
    X(UnpackFolderNotEmpty, 646)                                                      \
    X(CardDataDuplicate, 647)                                                         \
    X(RepairNoFreeNumber, 648)                                                        \
    X(CardRestoreNotACard, 649)                                                       \
    /* library panel: 650-659 and the ids it uses */                                  \
    X(NotACardQuestion, 650)                                                          \
    X(CannotRead, 651)                                                                \
    X(IssueListEmpty, 652)                                                            \
    X(SearchNoFurther, 653)                                                           \
    X(EmptyStateText, 654)                                                            \
    X(OpenDemoCard, 655)                                                              \
    X(ProtectPrefix, 656)                                                             \
    X(ShellOpenFailed, 657)                                                           \
    X(StatusCountsTip, 658)                                                           \
    X(GroupLimitReached, 659)                                                         \
    /* number maps, target group, title edit: 660-669 and the ids it uses */          \
    X(SongMapTitle, 249)                                                              \
    X(NumberMapTaken, 250)                                                            \
    X(NumberMapDuplicate, 251)                                                        \
    X(NumberMapChosen, 252)                                                           \
    X(SongMapNoNumber, 253)                                                           \
    X(SlideMapTitle, 292)                                                             \
    X(SlideTitleLabel, 293)                                                           \
    X(SlideTitleForbiddenCharacter, 294)                                              \
    X(SlideTitleEmpty, 295)                                                           \
    X(SlideMapNoNumber, 296)                                                          \
    X(TargetGroupTitle, 420)                                                          \
    X(TargetGroupNew, 425)                                                            \
    X(TitleMenuUndo, 660)                                                             \
    X(TitleMenuCut, 661)                                                              \
    X(TitleMenuCopy, 662)                                                             \
    X(TitleMenuPaste, 663)                                                            \
    X(TitleMenuDelete, 664)                                                           \
    X(TitleMenuSelectAll, 665)                                                        \
    X(TitleMenuCapitaliseWords, 666)                                                  \
    X(TitleMenuCapitaliseFirst, 667)                                                  \
    /* - */                                                                           \
    /* song editor: 670-689 and the ids it uses */                                    \
    X(CloseQuestionCaption, 111)                                                      \
    X(CloseQuestion, 113)                                                             \
    X(MenuInsertStanza, 148)                                                          \
    X(MenuInsertRefrain, 149)                                                         \
    X(MenuAlternating, 150)                                                           \
    X(MenuSequenceDelete, 151)                                                        \
    X(MenuDefaultSequence, 152)                                                       \
    X(MenuScreen, 157)                                                                \
    X(MenuScreenAdd, 158)                                                             \
    X(MenuScreenDelete, 159)                                                          \
    X(MenuScreenClear, 160)                                                           \
    X(MenuScreenDuplicate, 161)                                                       \
    X(MenuStanza, 162)                                                                \
    X(MenuStanzaAdd, 163)                                                             \
    X(MenuStanzaDelete, 164)                                                          \
    X(MenuStanzaMove, 165)                                                            \
    X(MenuSong, 166)                                                                  \
    X(MenuSongNew, 167)                                                               \
    X(MenuSongSave, 168)                                                              \
    X(MenuSongSaveSlide, 169)                                                         \
    X(MenuAlignLeft, 170)                                                             \
    X(MenuAlignRight, 171)                                                            \
    X(MenuAlignCentre, 172)                                                           \
    X(EditorCaption, 220)                                                             \
    X(CheckNumberButton, 222)                                                         \
    X(StanzaLabel, 224)                                                               \
    X(RefrainBox, 225)                                                                \
    X(AddButton, 227)                                                                 \
    X(DeleteButton, 228)                                                              \
    X(ClearButton, 229)                                                               \
    X(DuplicateButton, 230)                                                           \
    X(SequenceEmpty, 231)                                                             \
    X(TitleEmpty, 232)                                                                \
    X(NumberInvalid, 234)                                                             \
    X(SaveChangesQuestion, 235)                                                       \
    X(MoveRefrainQuestion, 236)                                                       \
    X(SlideNoNumberMap, 237)                                                          \
    X(SongLoadFailed, 280)                                                            \
    X(CheckNumberTip, 321)                                                            \
    X(NewSongTip, 322)                                                                \
    X(SaveSongTip, 323)                                                               \
    X(SaveSlideTip, 324)                                                              \
    X(AlignLeftTip, 325)                                                              \
    X(AlignCentreTip, 326)                                                            \
    X(AlignRightTip, 327)                                                             \
    X(PaletteTip, 328)                                                                \
    X(GridTip, 329)                                                                   \
    X(StructureTip, 330)                                                              \
    X(NextStanzaTip, 331)                                                             \
    X(PreviousStanzaTip, 332)                                                         \
    X(NextScreenTip, 333)                                                             \
    X(PreviousScreenTip, 334)                                                         \
    X(AddStanzaTip, 335)                                                              \
    X(DeleteStanzaTip, 336)                                                           \
    X(AddScreenTip, 337)                                                              \
    X(DeleteScreenTip, 338)                                                           \
    X(ClearScreenTip, 339)                                                            \
    X(DuplicateScreenTip, 340)                                                        \
    X(SequenceTip, 341)                                                               \
    X(RefrainTip, 347)                                                                \
    X(SlideTitleTooLong, 387)                                                         \
    X(ImportButton, 391)                                                              \
    X(ImportTip, 392)                                                                 \
    X(MenuMatrixPaste, 423)                                                           \
    X(MenuMatrixCopy, 424)                                                            \
    X(TitleTooLong, 501)                                                              \
    X(MenuDeleteRefrain, 536)                                                         \
    X(NoCardNoSave, 670)                                                              \
    X(SongLimitWarning, 671)                                                          \
    X(ReplaceFileQuestion, 672)                                                       \
    /* - */                                                                           \
    /* song structure, character palette, text import: 690-699 and the ids it uses */ \
    X(TitleLabel, 223)                                                                \
    X(StructureEmpty, 302)                                                            \
    X(StructureTitle, 303)                                                            \
    X(StructureView, 364)                                                             \
    X(StructureSimple, 365)                                                           \
    X(StructureExtended, 366)                                                         \
    X(StructureStanza, 380)                                                           \
    X(StructureScreen, 381)                                                           \
    X(PaletteTitle, 301)                                                              \
    X(ImportTitle, 383)                                                               \
    X(ImportLabel, 384)                                                               \
    X(ImportNewStanza, 385)                                                           \
    X(ImportContinuation, 386)                                                        \
    X(ImportIncomplete, 690)                                                          \
    X(ImportForeignLetters, 691)                                                      \
    /* playlist page: 700-714 and the ids it uses */                                  \
    X(MenuDeleteStanza, 154)                                                          \
    X(MenuDeleteAdjacent, 155)                                                        \
    X(NumberLabel, 221)                                                               \
    X(ScreenLabel, 226)                                                               \
    X(InsertSongTitle, 254)                                                           \
    X(InsertSongTitleLabel, 255)                                                      \
    X(InsertSongNumberLabel, 256)                                                     \
    X(InsertSongStanzaCountLabel, 257)                                                \
    X(InsertSongChooseBox, 259)                                                       \
    X(InsertSongStanzaLabel, 260)                                                     \
    X(InsertSongOptionsBox, 261)                                                      \
    X(InsertSongWhole, 262)                                                           \
    X(InsertSongOneStanza, 263)                                                       \
    X(InsertSongRange, 264)                                                           \
    X(InsertSongRangeTo, 265)                                                         \
    X(InsertSongFromTooSmall, 266)                                                    \
    X(InsertSongToTooLarge, 267)                                                      \
    X(InsertSongRangeReversed, 268)                                                   \
    X(InsertSongLoadFailed, 270)                                                      \
    X(InsertSongRefrain, 271)                                                         \
    X(InsertSongStanza, 272)                                                          \
    X(PlaylistCaption, 275)                                                           \
    X(PlaylistColumnNumber, 276)                                                      \
    X(PlaylistColumnTitle, 277)                                                       \
    X(PlaylistColumnStanza, 278)                                                      \
    X(PlaylistColumnPosition, 279)                                                    \
    X(PlaylistSequenceEmpty, 282)                                                     \
    X(PlaylistFull, 285)                                                              \
    X(PlaylistRefrainStanza, 286)                                                     \
    X(PlaylistDeleteStanzaEntry, 287)                                                 \
    X(PlaylistDeleteStanzaQuestion, 288)                                              \
    X(PlaylistDeleteAdjacentQuestion, 290)                                            \
    X(InsertSongPreviousTip, 342)                                                     \
    X(InsertSongNextTip, 343)                                                         \
    X(InsertSongWholeTip, 344)                                                        \
    X(InsertSongOneStanzaTip, 345)                                                    \
    X(InsertSongRangeTip, 346)                                                        \
    X(PlaylistReadFailed, 502)                                                        \
    X(PlaylistDiscardQuestion, 503)                                                   \
    X(ButtonSave, 535)                                                                \
    X(SaveFailed, 537)                                                                \
    X(PlaylistNoFreeNumber, 700)                                                      \
    X(PlaylistFileExists, 701)                                                        \
    /* - */                                                                           \
    /* project document: 715-724 and the ids it uses */                               \
    X(ProjectFilter, 715)                                                             \
    X(ProjectReplaceQuestion, 716)                                                    \
    X(ProjectSaveFailed, 717)                                                         \
    X(ProjectOpenStopped, 718)                                                        \
    X(ProjectSaveStopped, 719)                                                        \
    X(ProjectFilesLeftOut, 720)                                                       \
    /* - */                                                                           \
    /* removable drives: 725-734 and the ids it uses */                               \
    X(FormatCaption, 103)                                                             \
    X(FormatQuestion, 248)                                                            \
    X(CardLabelTitle, 725)                                                            \
    X(CardLabelPrompt, 726)                                                           \
    X(CardLabelInvalid, 727)                                                          \
    X(FormatWait, 728)                                                                \
    X(FormatFailed, 729)                                                              \
    X(FormatNotFat32, 730)                                                            \
    X(FormatWithoutUDisks2, 731)                                                      \
    X(FormatRefused, 732)                                                             \
    /* - */                                                                           \
    /* card wizard: 735-749 and the ids it uses */                                    \
    X(CardWizardTitle, 426)                                                           \
    X(WizardChooseAction, 427)                                                        \
    X(WizardWrite, 428)                                                               \
    X(WizardRestore, 429)                                                             \
    X(WizardAppend, 430)                                                              \
    X(WizardImport, 431)                                                              \
    X(WizardFat32Warning, 432)                                                        \
    X(WizardBack, 433)                                                                \
    X(WizardNext, 434)                                                                \
    X(WizardBackup, 435)                                                              \
    X(WizardWriteInfo, 436)                                                           \
    X(WizardRestoreInfo, 437)                                                         \
    X(WizardAppendInfo, 438)                                                          \
    X(WizardImportInfo, 439)                                                          \
    X(WizardFormat, 440)                                                              \
    X(WizardImportFolder, 441)                                                        \
    X(WizardSongs, 442)                                                               \
    X(WizardPlaylists, 443)                                                           \
    X(WizardSlides, 444)                                                              \
    X(WizardFinish, 445)                                                              \
    X(WizardWritten, 446)                                                             \
    X(WizardRestored, 447)                                                            \
    X(WizardAppended, 448)                                                            \
    X(WizardImported, 449)                                                            \
    X(WizardWriteStopped, 450)                                                        \
    X(WizardRestoreStopped, 451)                                                      \
    X(WizardAppendStopped, 452)                                                       \
    X(WizardImportStopped, 453)                                                       \
    X(WizardClearing, 455)                                                            \
    X(WizardCopying, 456)                                                             \
    X(WizardFolderInLibrary, 458)                                                     \
    X(ChooseDrive, 242)                                                               \
    X(WizardNextFirst, 403)                                                           \
    X(AppendedKindColumn, 487)                                                        \
    X(AppendedTitleColumn, 488)                                                       \
    X(AppendedNumberColumn, 489)                                                      \
    X(AppendedChangeColumn, 490)                                                      \
    X(AppendedTitle, 735)                                                             \
    X(WizardCardGone, 736)                                                            \
    X(WizardNotACardQuestion, 737)                                                    \
    X(BackupLeavesOut, 738)                                                           \
    X(BackupFailed, 739)                                                              \
    X(ClearFailedWithBackup, 740)                                                     \
    X(CopyFailures, 741)                                                              \
    X(SyncFailed, 742)                                                                \
    X(BackupSaved, 743)                                                               \
    X(BackupRunning, 744)                                                             \
    X(SyncRunning, 745)                                                               \
    X(ImportFolderCaption, 746)                                                       \
    /* - */                                                                           \
    /* song import: 750-759 and the ids it uses */                                    \
    X(ImportSongsTitle, 459)                                                          \
    X(ImportColumnNumber, 460)                                                        \
    X(ImportColumnTitle, 461)                                                         \
    X(ImportColumnGroup, 462)                                                         \
    X(ImportColumnState, 463)                                                         \
    X(ImportNumberTaken, 464)                                                         \
    X(ImportNoFreeNumber, 465)                                                        \
    X(ImportAddToGroup, 466)                                                          \
    X(ImportNumberConflict, 467)                                                      \
    X(ImportFreeNumbersOnly, 468)                                                     \
    X(ImportNumberFrom, 469)                                                          \
    X(ImportSelectedLabel, 470)                                                       \
    X(ImportRemainingLabel, 471)                                                      \
    X(ImportStart, 472)                                                               \
    X(ImportStop, 473)                                                                \
    X(ImportNewGroup, 474)                                                            \
    X(ImportChooseRow, 750)                                                           \
    X(ImportStartOutOfRange, 751)                                                     \
    X(ImportSummary, 752)                                                             \
    X(ImportPreview, 753)                                                             \
    X(ImportCopyFailed, 754)                                                          \
    /* - */                                                                           \
    /* font editor: 760-774 and the ids it uses */                                    \
    X(FontEditorTitle, 198)                                                           \
    X(FontEditorLookGroup, 199)                                                       \
    X(FontEditorListGroup, 200)                                                       \
    X(FontEditorAdd, 201)                                                             \
    X(FontEditorDelete, 202)                                                          \
    X(FontEditorCommentGroup, 203)                                                    \
    X(FontEditorExport, 204)                                                          \
    X(FontEditorSave, 205)                                                            \
    X(FontEditorExported, 210)                                                        \
    X(FontEditorSaveFailed, 211)                                                      \
    X(FontEditorNothingToSave, 212)                                                   \
    X(FontEditorDeleteQuestion, 213)                                                  \
    X(FontEditorDeleted, 214)                                                         \
    X(FontEditorDeleteFailed, 215)                                                    \
    X(FontEditorSaveChangesQuestion, 216)                                             \
    X(FontEditorChart, 760)                                                           \
    X(FontEditorMirrored, 761)                                                        \
    X(FontEditorCharacter, 762)                                                       \
    X(FontEditorRowDownTip, 763)                                                      \
    X(FontEditorRowUpTip, 764)                                                        \
    X(FontEditorPreviousTip, 765)                                                     \
    X(FontEditorNextTip, 766)                                                         \
    X(FontChartWriteFailed, 767)                                                      \
    X(FontNameTitle, 768)                                                             \
    X(FontNameLabel, 769)                                                             \
    X(FontNameEmpty, 770)                                                             \
    X(FontNameForbidden, 771)                                                         \
    X(FontNameNotLatin1, 772)                                                         \
    X(FontNameTooLong, 773)                                                           \
    X(FontNameExists, 774)                                                            \
    /* - */                                                                           \
    /* audio player: 775-779 and the ids it uses */                                   \
    X(MusicFileRefused, 775)                                                          \
    X(NoSoundOutput, 776)                                                             \
    /* music timing: 780-799 and the ids it uses */                                   \
    X(TimingCaption, 780)                                                             \
    X(TimingMusicFile, 781)                                                           \
    X(TimingSequence, 782)                                                            \
    X(TimingInstructionGroup, 783)                                                    \
    X(TimingInstructions, 784)                                                        \
    X(TimingDurationColumn, 785)                                                      \
    X(TimingOffsetColumn, 786)                                                        \
    X(TimingTextColumn, 787)                                                          \
    X(TimingPlay, 788)                                                                \
    X(TimingPause, 789)                                                               \
    X(TimingStop, 790)                                                                \
    X(TimingRecord, 791)                                                              \
    X(TimingZero, 792)                                                                \
    X(TimingMute, 793)                                                                \
    X(TimingLeft, 794)                                                                \
    X(TimingRight, 795)                                                               \
    X(TimingVolume, 796)                                                              \
    X(TimingNoFile, 797)                                                              \
    X(TimingMinusError, 798)                                                          \
    X(TimingNoMusicFolder, 799)                                                       \
    /* - */                                                                           \
    /* reports: 800-819 and the ids it uses */                                        \
    X(ReportCaption, 375)                                                             \
    X(ReportKindGroup, 376)                                                           \
    X(ReportReady, 377)                                                               \
    X(ReportGenerate, 475)                                                            \
    X(ReportSongbook, 476)                                                            \
    X(ReportNumberIndex, 477)                                                         \
    X(ReportAlphabetical, 478)                                                        \
    X(ReportStop, 479)                                                                \
    X(ReportSongbookInfo, 480)                                                        \
    X(ReportNumberIndexInfo, 481)                                                     \
    X(ReportAlphabeticalInfo, 482)                                                    \
    X(ReportTitle, 530)                                                               \
    X(ReportTitleAlphabetical, 531)                                                   \
    X(ReportFileSongbook, 532)                                                        \
    X(ReportFileNumberIndex, 533)                                                     \
    X(ReportFileAlphabetical, 534)                                                    \
    X(ReportReplaceQuestion, 800)                                                     \
    X(ReportSongsLeftOut, 801)                                                        \
    X(ReportSaveFailed, 802)                                                          \
    /* Russian: 820-829 and the ids it uses */                                        \
    X(TimingBarStanza, 820)                                                           \
    X(TimingBarRefrain, 821)                                                          \
    X(InsertSongInfo, 822)                                                            \
    /* - */                                                                           \
    /* OpenLyrics: 830-844 and the ids it uses */                                     \
    X(OpenLyricsImportMenu, 830)                                                      \
    X(OpenLyricsExportMenu, 831)                                                      \
    X(OpenLyricsFileFilter, 832)                                                      \
    X(OpenLyricsSongbook, 833)                                                        \
    X(OpenLyricsNoSongbook, 834)                                                      \
    X(OpenLyricsReportCaption, 835)                                                   \
    X(OpenLyricsNote, 836)                                                            \
    X(OpenLyricsImported, 837)                                                        \
    X(OpenLyricsPresent, 838)                                                         \
    X(OpenLyricsRefused, 839)                                                         \
    X(OpenLyricsTooBig, 840)                                                          \
    X(OpenLyricsNotLyrics, 841)                                                       \
    X(OpenLyricsNoNumber, 842)                                                        \
    X(OpenLyricsChanges, 843)                                                         \
    X(OpenLyricsExported, 844)                                                        \
    /* - */                                                                           \
    /* lyric search: 845-854 and the ids it uses */                                   \
    X(SearchFieldPlaceholder, 845)                                                    \
    X(SearchFieldTooltip, 846)                                                        \
    X(SearchHitPlace, 847)                                                            \
    X(SearchHitInTitle, 848)                                                          \
    X(SearchHitCount, 849)                                                            \
    X(SearchNothingFound, 850)                                                        \
    X(SearchIndexBuilding, 851)                                                       \
    X(SearchUnreadableSongs, 852)                                                     \
    X(SearchHitByNumber, 853)                                                         \
    /* - */                                                                           \
    /* undo: 855-859 and the ids it uses */                                           \
    X(UndoWhat, 855)                                                                  \
    X(RedoWhat, 856)                                                                  \
    X(UndoScreenText, 857)                                                            \
    X(UndoSongLayout, 858)                                                            \
    X(UndoTitleNumber, 859)                                                           \
    /* - */                                                                           \
    /* PDF songbook: 860-874 and the ids it uses */                                   \
    X(ReportPdfSongbook, 860)                                                         \
    X(ReportPdfSongbookInfo, 861)                                                     \
    X(ReportFilePdfSongbook, 862)                                                     \
    X(ReportPdfPaper, 863)                                                            \
    X(ReportPdfColumns, 864)                                                          \
    X(SongbookRefrain, 865)                                                           \
    X(SongbookNumberIndex, 866)                                                       \
    X(SongbookContinued, 867)                                                         \
    X(SongbookMissingCharacters, 868)                                                 \
    X(SongbookPagesLost, 869)                                                         \
    X(SongbookStopped, 870)                                                           \
    X(SongbookFontSubstituted, 871)                                                   \
    /* - */                                                                           \
    /* card check: 875-884 and the ids it uses */                                     \
    X(PlanExtraDeleted, 875)                                                          \
    X(PlanExtraKept, 876)                                                             \
    X(PlanUnreadable, 877)                                                            \
    X(PlanSame, 878)                                                                  \
    X(PlanKindOther, 879)                                                             \
    X(PlanSummary, 880)                                                               \
    X(PlanShortfall, 881)                                                             \
    X(PlanHeading, 882)                                                               \
    X(VerifyRunning, 883)                                                             \
    X(VerifyMismatch, 884)                                                            \
    /* - */                                                                           \
    /* card jobs: 920-931 and the ids they use */                                     \
    X(SpaceUnknown, 920)                                                              \
    X(CardForeignEntries, 921)                                                        \
    X(WizardForeignQuestion, 922)                                                     \
    X(CardBusyBy, 923)                                                                \
    X(CardBusy, 924)                                                                  \
    X(CardNotClearable, 925)                                                          \
    X(CardLeftover, 926)                                                              \
    X(PlanLeftover, 927)                                                              \
    /* - */                                                                           \
    /* tidy: 910-914 and the ids it uses */                                           \
    X(SizeBytes, 910)                                                                 \
    X(SizeKilobytes, 911)                                                             \
    X(SizeMegabytes, 912)                                                             \
    X(SizeGigabytes, 913)                                                             \
    X(SizeTerabytes, 914)                                                             \
    /* - */                                                                           \
    /* desktop integration: 885-889 and the ids it uses */                            \
    X(ForwardNoAnswer, 885)                                                           \
    X(OpenRequestWaiting, 886)                                                        \
    X(OpenRequestRefused, 887)                                                        \
    /* - */                                                                           \
    /* OpenLyrics notes: 890-909 and the ids it uses */                               \
    X(LyricNoteAsStanzas, 890)                                                        \
    X(LyricNoteOrderDropped, 891)                                                     \
    X(LyricNoteDocumentOrder, 892)                                                    \
    X(LyricNoteCharsReplaced, 893)                                                    \
    X(LyricNoteWordsCut, 894)                                                         \
    X(LyricNoteSameTitle, 895)                                                        \
    X(LyricUnreadable, 896)                                                           \
    X(LyricDoctype, 897)                                                              \
    X(LyricUndeclaredEntity, 898)                                                     \
    X(LyricNotSongRoot, 899)                                                          \
    X(LyricXmlError, 900)                                                             \
    X(LyricNotUtf, 901)                                                               \
    X(LyricBoardSongFile, 902)                                                        \
    X(LyricUnknownType, 903)                                                          \
    X(LyricNoLyrics, 904)                                                             \
    X(LyricTooManyStanzas, 905)                                                       \
    X(LyricStanzaTooLong, 906)                                                        \
    X(LyricNoGroup, 907)                                                              \
    X(LyricOutputInCard, 908)                                                         \
    X(LyricOutputNotMade, 909)                                                        \
    /* where songs live: the list of libraries, 960-979 */                            \
    X(ComputerLibrary, 960)                                                           \
    X(ProjectFileEntry, 961)                                                          \
    X(ProjectFromCardEntry, 962)                                                      \
    X(ShownLibraryGone, 963)                                                          \
    X(ComputerLibraryRecreated, 964)                                                  \
    X(LibraryNested, 965)                                                             \
    X(LibraryEmptyHint, 966)                                                          \
    X(ImportTargetLibrary, 967)                                                       \
    X(ImportTargetNoGroup, 968)                                                       \
    X(ProjectChangesUnsaved, 969)                                                     \
    /* Lyric formats of other programs: 1020-1039 */                                  \
    X(LyricNoteLanguages, 1020)                                                       \
    X(LyricNoteRepeatDropped, 1021)                                                   \
    X(LyricNoteNumberMoved, 1022)                                                     \
    X(LyricNotPlainText, 1023)                                                        \
    X(LyricBadEncoding, 1024)                                                         \
    X(LyricFormatColumn, 1025)                                                        \
    X(LyricEncodingColumn, 1026)                                                      \
    X(LyricImportMenu, 1027)                                                          \
    X(LyricImportFilter, 1028)                                                        \
    X(LyricImportCaption, 1029)                                                       \
    X(LyricNotLyricsFrame, 1030)                                                      \
    X(LyricPlainTextFormat, 1031)                                                     \
    X(LyricEncodingLabel, 1032)                                                       \
    X(LyricEncodingAuto, 1033)                                                        \
    X(LyricLanguageLabel, 1034)                                                       \
    X(LyricLanguageAuto, 1035)                                                        \
    X(ImportNumbersMoved, 1036)                                                       \
    /* - */                                                                           \
    /* names on cards: 932-941 */                                                     \
    X(IssueUndecodableName, 932)                                                      \
    X(IssueOutsideGroups, 933)                                                        \
    X(IssueCaseTwin, 934)                                                             \
    X(CardNameUndecodable, 935)                                                       \
    X(CardOutsideGroups, 936)                                                         \
    X(CardCaseTwin, 937)                                                              \
    X(IssueRenameAs, 938)                                                             \
    X(IssueRenameButton, 939)                                                         \
    X(IssueRenameQuestion, 940)                                                       \
    X(IssueRenameFailed, 941)                                                         \
    /* the guide and its help window */                                               \
    X(MenuGuide, 1050)                                                                \
    X(GuideTitle, 1051)                                                               \
    X(GuideMissing, 1052)                                                             \
    X(GuideBack, 1053)                                                                \
    X(GuideForward, 1054)                                                             \
    X(GuideContents, 1055)                                                            \
    X(GuideUnreadable, 1056)                                                          \
    /* what screen readers are told: 1057-1069 */                                     \
    X(A11yMatrixName, 1057)                                                           \
    X(A11yMatrixDescription, 1058)                                                    \
    X(A11yNumberFree, 1059)                                                           \
    X(A11yNumberMapDescription, 1060)                                                 \
    X(A11yTimingBarName, 1061)                                                        \
    X(A11ySeconds, 1062)                                                              \
    X(A11yGlyphName, 1063)                                                            \
    X(A11yGlyphRow, 1064)                                                             \
    X(A11yGlyphRowEmpty, 1065)                                                        \
    X(A11yGlyphDescription, 1066)                                                     \
    X(A11yBrowse, 1067)                                                               \
    X(A11yPlayPosition, 1068)                                                         \
    X(A11yHexNumber, 1069)                                                            \
    /* - */                                                                           \
    /* structure: 950-954 */                                                          \
    X(IssueLimitExceeded, 950)                                                        \
    /* - */                                                                           \
    /* the card wizard's source and target: 955-959, 970-979 */                       \
    X(RestoredToLibrary, 955)                                                         \
    X(RouteChooseCardToRead, 956)                                                     \
    X(ChooseCardPlaceholder, 957)                                                     \
    X(WizardBackupNote, 958)                                                          \
    X(RouteFrom, 970)                                                                 \
    X(RouteTo, 971)                                                                   \
    X(RouteLine, 972)                                                                 \
    X(RestoreIntoProject, 973)                                                        \
    X(PlanHeadingAppend, 974)                                                         \
    X(RouteSourceEmpty, 975)                                                          \
    X(RouteChooseInstead, 976)                                                        \
    X(RouteFillSource, 977)                                                           \
    X(RouteNested, 978)                                                               \
    X(RouteChooseCard, 979)                                                           \
    /* - */                                                                           \
    X(LetterNotOnBoard, 980)                                                          \
    X(PasteForeignQuestion, 981)                                                      \
    X(ReplaceLettersButton, 982)                                                      \
    X(NumberTakenQuestion, 983)                                                       \
    X(SaveDuplicateButton, 984)                                                       \
    X(ChooseFreeNumberButton, 985)                                                    \
    X(MusicFolderMissing, 986)                                                        \
    X(PlaylistNameTaken, 987)                                                         \
    X(SavedStatus, 988)                                                               \
    X(MenuShortcuts, 989)                                                             \
    X(ShortcutKeyColumn, 990)                                                         \
    X(ShortcutCommandColumn, 991)                                                     \
    X(ShortcutInText, 992)                                                            \
    X(ShortcutInTree, 993)                                                            \
    X(EmptyPlaylistHint, 994)                                                         \
    X(EmptyLibraryHint, 995)                                                          \
    X(ShortcutRefrain, 996)                                                           \
    X(ShortcutOpenItem, 997)                                                          \
    X(MenuCloseSong, 998)                                                             \
    X(UnsavedChangesTip, 999)                                                         \
    /* output folders and font messages: 1000-1019 */                                 \
    X(ReportTargetLabel, 1000)                                                        \
    X(ReportChooseTarget, 1001)                                                       \
    X(ReportRtfFilter, 1002)                                                          \
    X(ReportPdfFilter, 1003)                                                          \
    X(OpenFolder, 1004)                                                               \
    X(FontExportChooseFolder, 1005)                                                   \
    X(FontFileIncomplete, 1006)                                                       \
    X(FontFileUnreadable, 1007)                                                       \
    X(FontChartNotOpened, 1008)                                                       \
    /* MIDI accompaniments and music file messages: 1040-1049 */                      \
    X(SettingsSoundFontLabel, 1040)                                                   \
    X(SettingsSoundFontFilter, 1041)                                                  \
    X(MidiNoSoundFont, 1042)                                                          \
    X(MidiSoundFontBroken, 1043)                                                      \
    X(MusicFormatUnknown, 1044)                                                       \
    X(MusicFileDamaged, 1045)                                                         \
    X(MusicFileUnreadable, 1046)                                                      \
    X(MusicEncodingUnsupported, 1047)                                                 \
    X(MidiFileInvalid, 1048)                                                          \
    X(MidiTypeUnsupported, 1049)                                                      \
    /* - */                                                                           \
    /* end of the list */

namespace Txt {
enum Id : int {
#define LUMIVOX_TEXT_ID_ENUM(name, value) name = value,
    LUMIVOX_TEXT_IDS(LUMIVOX_TEXT_ID_ENUM)
#undef LUMIVOX_TEXT_ID_ENUM
};

// All ids above, in list order, for the language-file completeness test.
inline constexpr int kAll[] = {
#define LUMIVOX_TEXT_ID_VALUE(name, value) value,
    LUMIVOX_TEXT_IDS(LUMIVOX_TEXT_ID_VALUE)
#undef LUMIVOX_TEXT_ID_VALUE
};
} // namespace Txt
