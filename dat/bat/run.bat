@echo off
rem Run script. The editor's run button writes the project to tmp.txt next to this file,
rem then opens this file with the shell, with no parameters, in the editor's start-up
rem directory (the folder holding dat\), with HAKONIWA_BIN_DIR set to the editor's own
rem folder and HAKONIWA_PROJECT_DIR to the saved project's folder (the game's images and
rem sounds lie there). The editor does not wait for it, so neither does this script: it logs the run,
rem starts the player and ends.
setlocal
set "RUNFILE=%~dp0tmp.txt"
set "LOG=%~dp0run.log"
set "SIZE=missing"
if exist "%RUNFILE%" for %%F in ("%RUNFILE%") do set "SIZE=%%~zF bytes"
>>"%LOG%" echo %DATE% %TIME% %RUNFILE% %SIZE%
rem The player beside the editor first, then the one on PATH.
set "PLAYER="
if defined HAKONIWA_BIN_DIR if exist "%HAKONIWA_BIN_DIR%\hakoniwa-player.exe" set "PLAYER=%HAKONIWA_BIN_DIR%\hakoniwa-player.exe"
if not defined PLAYER for %%P in (hakoniwa-player.exe) do set "PLAYER=%%~$PATH:P"
if not defined PLAYER goto notfound
rem The vocabulary the editor uses: dat\txt\<first line of dat\txt\conf.txt>.
set "FILESARG="
if defined HAKONIWA_PROJECT_DIR set FILESARG=--files "%HAKONIWA_PROJECT_DIR%"
set "FOLDER="
if exist "dat\txt\conf.txt" set /p FOLDER=<"dat\txt\conf.txt"
if defined FOLDER (
    start "" "%PLAYER%" %FILESARG% --vocabulary "%CD%\dat\txt\%FOLDER%" "%RUNFILE%"
) else (
    start "" "%PLAYER%" %FILESARG% "%RUNFILE%"
)
exit /b 0
:notfound
>>"%LOG%" echo %DATE% %TIME% hakoniwa-player.exe not found, looked in HAKONIWA_BIN_DIR=%HAKONIWA_BIN_DIR% and PATH
exit /b 1
