@echo off
rem Norvane's tests on this Windows machine: the unit tests, then the window
rem tests, which start the Norvane.exe of this folder and drive it as a user
rem would. Leave the mouse and keyboard alone while they run (a minute or
rem two). The last line says how many tests passed and failed.
setlocal
cd /d "%~dp0"
set NORVANE_SOURCE_DIR=
set NORVANE_EXE=
set tally=%TEMP%\norvane-tests-tally.txt
set passed=0
set failed=0
call :run norvane_tests.exe
call :run norvane_window_tests.exe
echo %passed% passed, %failed% failed
if %failed% gtr 0 exit /b 1
exit /b 0

:run
if exist "%tally%" del "%tally%"
%1 --gtest_brief=1 --tally="%tally%"
if not exist "%tally%" (
  echo %1 ended before it could count its tests
  set /a failed+=1
  goto :eof
)
for /f "usebackq tokens=1,2" %%a in ("%tally%") do (
  set /a passed+=%%a
  set /a failed+=%%b
)
del "%tally%"
goto :eof
