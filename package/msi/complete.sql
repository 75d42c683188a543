CREATE TABLE `IniFile` (`IniFile` CHAR(72) NOT NULL, `FileName` CHAR(255) NOT NULL LOCALIZABLE, `DirProperty` CHAR(72), `Section` CHAR(96) NOT NULL LOCALIZABLE, `Key` CHAR(128) NOT NULL LOCALIZABLE, `Value` CHAR(255) NOT NULL LOCALIZABLE, `Action` SHORT NOT NULL, `Component_` CHAR(72) NOT NULL PRIMARY KEY `IniFile`)
INSERT INTO `IniFile` (`IniFile`, `FileName`, `DirProperty`, `Section`, `Key`, `Value`, `Action`, `Component_`) VALUES ('FlagName', 'Korvane.INI', 'INSTALLDIR', 'Command', 'CommandLine', '[FLAGFILE]', 0, 'FlagName')
INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `FileName`, `DirProperty`, `InstallMode`) VALUES ('FlagNameIni', 'FlagName', 'Korvane.INI', 'INSTALLDIR', 2)
UPDATE `Component` SET `Condition` = 'FLAGFILE OR REMOVE = "ALL"' WHERE `Component` = 'FlagName'
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveIniValues', 3100)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteIniValues', 5100)
UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;FLAGFILE;AUTOSTART' WHERE `Property` = 'SecureCustomProperties'
-- Custom action types: wixl adds msidbCustomActionTypeNoImpersonate (2048) to every one,
-- which only a deferred action may carry (ICE68), so each type is written whole here.
-- 257 = msidbCustomActionTypeDll (1, a DLL from the Binary table)
--     + msidbCustomActionTypeFirstSequence (256): in both sequences, it runs only in the
--       first that reaches it, so a name is checked once, with a dialog or without.
UPDATE `CustomAction` SET `Type` = 257 WHERE `Action` = 'CheckFlagName'
-- 51 = msidbCustomActionTypeTextData (3) + msidbCustomActionTypeProperty (48): sets a
--      property to formatted text.
UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'SetInstallLocation'
UPDATE `Directory` SET `DefaultDir` = 'FLAGNOTI|Flag Notification' WHERE `Directory` = 'INSTALLDIR'
UPDATE `Directory` SET `DefaultDir` = 'FLAGNOTI|Flag Notification' WHERE `Directory` = 'MenuFolder'
UPDATE `Shortcut` SET `Name` = 'README|Read Me' WHERE `Shortcut` = 'ReadmeShortcut'
-- 513 = msidbUpgradeAttributesMigrateFeatures (1)
--     + msidbUpgradeAttributesVersionMaxInclusive (512): finds this very version too.
DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'
INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('{@UPGRADECODE@}', '@VERSION@', 513, 'WIX_UPGRADE_DETECTED')
UPDATE `Component` SET `Condition` = 'AUTOSTART <> "0" OR REMOVE = "ALL"' WHERE `Component` = 'AutoStart'
-- 68 = msidbComponentAttributesTransitive (64) + msidbComponentAttributesRegistryKeyPath
--      (4, its key path is the Run value); 64 = msidbComponentAttributesTransitive alone:
--      a maintenance run weighs the condition again.
UPDATE `Component` SET `Attributes` = 68 WHERE `Component` = 'AutoStart'
UPDATE `Component` SET `Attributes` = 64 WHERE `Component` = 'FlagName'
-- 51, as above.
UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'AutoStartFromSaved'
UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'AutoStartFromOldRun'
UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'AutoStartDefault'
UPDATE `File` SET `Version` = '@FILEVERSION:Korvane.exe@', `Language` = '@LANGUAGE:Korvane.exe@' WHERE `File` = 'KorvaneExe'
UPDATE `File` SET `Version` = '@FILEVERSION:QUELLARD.EXE@', `Language` = '@LANGUAGE:QUELLARD.EXE@' WHERE `File` = 'QuellardExe'
DELETE FROM `MsiFileHash` WHERE `File_` = 'KorvaneExe'
DELETE FROM `MsiFileHash` WHERE `File_` = 'QuellardExe'
