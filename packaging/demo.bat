@echo off
rem Tries rimtrace without a board: starts the simulated board driver, then rimtrace.exe with the
rem mouse as the pen of one simulated board, and ends the driver when rimtrace ends. Everything
rem the demo writes stays in this folder. Arguments go to rimtrace.exe (demo.bat -service).
setlocal
cd /d "%~dp0"
rem Opened from inside the zip file, Windows unpacks demo.bat alone into a temporary folder.
if not exist "rimtrace.exe" (
    echo demo.bat finds no rimtrace.exe beside it. Unpack the whole demo kit into a folder
    echo first, then start demo.bat there.
    pause
    exit /b 1
)

rem The simulated board: one board, the mouse as its pen, and a journal of every setting the
rem program switches off and gives back (journal.txt, relative to this folder).
rem One redirection per line: Wine's cmd does not redirect a parenthesised block.
> "TAVLO.state" echo boards=1
>> "TAVLO.state" echo journal=journal.txt
>> "TAVLO.state" echo mouse_pen=1
set "TAVLO_STATE=%~dp0TAVLO.state"
rem The demo's restore record and mail stay here: a demo never touches a real board's record.
set "RIMTRACE_RESTORE_DIR=%~dp0restore"
set "RIMTRACE_OUTBOX=%~dp0outbox"
set "RIMTRACE_MAPI_MODE=ok"
rem Under Wine (which has this key) a word on the mail first.
reg query "HKLM\Software\Wine" >nul 2>&1
if not errorlevel 1 call :check_wine_mail

call :end_left_driver
start "" /b "%~dp0board50_standin.exe" --journal journal.txt --ready board50.ready
set /a waited=0
:wait_for_driver
if exist "board50.ready" goto run
if %waited% geq 20 (
    echo The simulated board driver did not start; rimtrace runs without it.
    goto run
)
set /a waited+=1
rem One second: the one pause that works alike on every Windows and under Wine.
ping -n 2 127.0.0.1 >nul
goto wait_for_driver

:run
echo rimtrace is running: the left mouse button is the board's pen. Escape ends the test.
start "" /wait "%~dp0rimtrace.exe" %*
set "status=%errorlevel%"
if exist "board50.ready" (
    for /f "usebackq" %%p in ("board50.ready") do taskkill /f /pid %%p >nul 2>&1
    del "board50.ready"
)

echo.
echo rimtrace ended (exit code %status%). The demo's files are in "%~dp0":
for %%f in (*.pts) do echo   %%f  a report
echo   outbox\      the mail rimtrace sent, with the report attached
echo   journal.txt  every board setting rimtrace switched off and gave back
echo.
pause
exit /b %status%

rem A driver left running by a demo that was cut short (its console window closed mid-test) is
rem ended first; only if that process is still the driver, since its number may be reused.
:end_left_driver
if not exist "board50.ready" exit /b 0
for /f "usebackq" %%p in ("board50.ready") do (
    tasklist /nh /fi "PID eq %%p" 2>nul | find "board50_standin.exe" >nul && taskkill /f /pid %%p >nul 2>&1
)
del "board50.ready"
exit /b 0

rem Under Wine, Wine's own mail library takes the mail (and sends nothing) unless Wine was told
rem before it started to prefer the outbox beside the program. (Wine's find and findstr cannot
rem tell whether a text holds a word, so the variable is compared with itself without it.)
:check_wine_mail
if not defined WINEDLLOVERRIDES goto wine_mail_note
if not "%WINEDLLOVERRIDES:mapi32=%"=="%WINEDLLOVERRIDES%" exit /b 0
:wine_mail_note
echo Under Wine the mail reaches outbox\ only when the demo is started as
echo     WINEDLLOVERRIDES=mapi32=n,b wine cmd /c demo.bat
exit /b 0
