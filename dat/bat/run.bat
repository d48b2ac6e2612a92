@echo off
rem Sample run script. The editor's run button writes the project to tmp.txt next to
rem this file, then opens this file with the shell, with no parameters, in the editor's
rem start-up directory. The editor does not wait for it.
setlocal
set "RUNFILE=%~dp0tmp.txt"
set "SIZE=missing"
if exist "%RUNFILE%" for %%F in ("%RUNFILE%") do set "SIZE=%%~zF bytes"
>>"%~dp0run.log" echo %DATE% %TIME% %RUNFILE% %SIZE%
rem The engine that executes the project is started here, with the run file, for example:
rem   start "" "C:\engine\engine.exe" "%RUNFILE%"
