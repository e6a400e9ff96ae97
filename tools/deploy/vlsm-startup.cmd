@echo off
rem Vexar Lumen schemes: a computer start-up script for Group Policy.
rem
rem Brings this computer's schemes into step with the school's scheme file: it imports the
rem file only when "vlsm verify" finds a difference, appends one line to the log and ends
rem with vlsm's exit code:
rem   0  in step, or brought into step
rem   1  the file was refused (nothing was changed)
rem   2  wrong usage
rem   3  a file or the registry could not be read or written, or another program kept the
rem      schemes busy
rem
rem Usage: vlsm-startup.cmd [SCHEME_FILE] [LOG_FILE] [--require-checksum] [--exact] [STATUS_FOLDER]
rem   SCHEME_FILE  default \\school\netlogon\vexar\school.esm
rem   LOG_FILE     default %SystemRoot%\Temp\vlsm-startup.log
rem   --require-checksum  refuses a scheme file without SCHEME_FILE.sha256 beside it; a file
rem                that has one is always checked against it
rem   STATUS_FOLDER  each run leaves this computer's status record there, for "vlsm fleet";
rem                a record that cannot be written is said in the log line
rem   --exact      schemes the file does not hold are removed too (never a built-in one);
rem                passed to vlsm verify and vlsm import
rem The last three may come in any order.
rem Each log line begins with the local date and time as yyyy-mm-dd hh:mm:ss.
rem The tool is taken from %VLSM% when set, else from the program's install folder. A vlsm.exe
rem that is missing or does not run as a program is exit 3, with its path in the log line. When
rem the log cannot be written, the line goes to the Application event log instead (eventcreate,
rem source VexarLumen, or %EVENTCREATE% when set).
rem Delayed expansion stays off: it would take every "!" out of paths and messages. vlsm's
rem messages travel only through FOR variables, which are never read again as commands, so
rem quotes, "&", "%" and parentheses in them stay text.
setlocal DisableDelayedExpansion

set "SCHEMES=%~1"
if not defined SCHEMES set "SCHEMES=\\school\netlogon\vexar\school.esm"
set "LOG=%~2"
if not defined LOG set "LOG=%SystemRoot%\Temp\vlsm-startup.log"
if defined VLSM goto found
set "VLSM=%ProgramFiles%\Orrinford\Vexar Lumen Scheme Manager\vlsm.exe"
rem The program is 32-bit: on 64-bit Windows it lives below "Program Files (x86)".
if exist "%ProgramFiles(x86)%\Orrinford\Vexar Lumen Scheme Manager\vlsm.exe" set "VLSM=%ProgramFiles(x86)%\Orrinford\Vexar Lumen Scheme Manager\vlsm.exe"
:found
if not defined EVENTCREATE set "EVENTCREATE=%SystemRoot%\System32\eventcreate.exe"
rem Each run of vlsm writes a file of its own: a file just read can still be held open, and a
rem redirection that fails runs nothing while leaving the last exit code in place.
set "OUT=%TEMP%\vlsm-startup-%RANDOM%"
rem The log line is WHAT followed by the text of the variable named by SAID.
set "WHAT="
set "CHECK="
set "EXACT="
set "STATUS="
set "VLSM_usage="
call :option "%~3"
call :option "%~4"
call :option "%~5"
if not "%~6"=="" set "VLSM_usage=wrong usage: more than five parameters"
if not defined VLSM_usage goto options
set "RESULT=2"
set "SAID=VLSM_usage"
goto done
:options
set "REPORT="
if defined STATUS set REPORT=--report "%STATUS%"
set "NOTE="
if defined STATUS set "NOTE=; status record not written to %STATUS%"

if not exist "%VLSM%" goto missing
"%VLSM%" verify "%SCHEMES%" %CHECK% %EXACT% %REPORT% >"%OUT%-verify.txt" 2>&1
set "RESULT=%ERRORLEVEL%"
call :last verify
set "SAID=VLSM_verify"
if "%RESULT%"=="0" goto done
if "%RESULT%"=="1" goto import
set "WHAT=verify failed: "
goto ran

:import
"%VLSM%" import "%SCHEMES%" %CHECK% %EXACT% %REPORT% >"%OUT%-import.txt" 2>&1
set "RESULT=%ERRORLEVEL%"
call :last import
set "WHAT=imported: "
if "%RESULT%"=="0" goto done
set "WHAT=import failed: "
set "SAID=VLSM_import"

:ran
rem Any other exit code: vlsm did not run, or did not end, as a program does.
for %%C in (1 2 3) do if "%RESULT%"=="%%C" goto done
set "VLSM_run=vlsm could not be run (exit %RESULT%): %VLSM%"
goto unrun

:missing
set "VLSM_run=vlsm could not be run, there is no file %VLSM%"

:unrun
set "RESULT=3"
set "WHAT="
set "SAID=VLSM_run"

:done
call :stamp
for /f "tokens=1* delims==" %%A in ('set %SAID%') do if /i "%%A"=="%SAID%" >"%OUT%-line.txt" echo %STAMP% %COMPUTERNAME% exit %RESULT% %WHAT%%%B
rem "||" sees a redirection that failed; an earlier exit code must not count as one.
"%ComSpec%" /c exit 0
type "%OUT%-line.txt" >>"%LOG%" 2>nul || goto unlogged
goto end

:unlogged
rem Quotes in the line can spoil eventcreate's arguments: then the event says less.
for /f "usebackq delims=" %%M in ("%OUT%-line.txt") do "%EVENTCREATE%" /T ERROR /ID 1 /L APPLICATION /SO VexarLumen /D "Vexar Lumen start-up script: the log %LOG% could not be written. %%M" >nul 2>&1
if errorlevel 1 "%EVENTCREATE%" /T ERROR /ID 1 /L APPLICATION /SO VexarLumen /D "Vexar Lumen start-up script: the log %LOG% could not be written. exit %RESULT%" >nul 2>&1

:end
del "%OUT%-verify.txt" "%OUT%-import.txt" "%OUT%-line.txt" >nul 2>&1
exit /b %RESULT%

rem The third to fifth parameter: --require-checksum, --exact, or the status folder.
:option
if "%~1"=="" goto :eof
if /i "%~1"=="--require-checksum" set "CHECK=--require-checksum"
if /i "%~1"=="--require-checksum" goto :eof
if /i "%~1"=="--exact" set "EXACT=--exact"
if /i "%~1"=="--exact" goto :eof
set "ARG=%~1"
if "%ARG:~0,1%"=="-" set "VLSM_usage=wrong usage: the only options are --require-checksum and --exact"
if "%ARG:~0,1%"=="-" goto :eof
if defined STATUS set "VLSM_usage=wrong usage: one status folder"
if defined STATUS goto :eof
set "STATUS=%~1"
goto :eof

rem The last line vlsm printed for command %1, as VLSM_%1; never empty, so that it is listed.
rem A status record that vlsm could not write is said on its last line: then the line before it
rem is taken, and the note goes at the end. The lines are counted, the wanted one is taken by
rem number: a line's text is never looked at by the command processor.
:last
set "VLSM_%1="
if not exist "%OUT%-%1.txt" goto said
set "LINES=0"
for /f "usebackq delims=" %%L in ("%OUT%-%1.txt") do set /a LINES+=1
set /a SKIP=LINES-1
set "LACKS="
if defined STATUS find "vlsm: status record not written:" "%OUT%-%1.txt" >nul 2>&1
if defined STATUS if not errorlevel 1 set "LACKS=%NOTE%"
if defined LACKS set /a SKIP=LINES-2
if %SKIP% GTR 0 for /f "usebackq skip=%SKIP% delims=" %%L in ("%OUT%-%1.txt") do if not defined VLSM_%1 set "VLSM_%1=%%L%LACKS%"
if %SKIP% LEQ 0 for /f "usebackq delims=" %%L in ("%OUT%-%1.txt") do if not defined VLSM_%1 set "VLSM_%1=%%L%LACKS%"
:said
if not defined VLSM_%1 set "VLSM_%1=(nothing printed)"
goto :eof

rem The local date and time as yyyy-mm-dd hh:mm:ss whatever the machine's regional format: from
rem WMI, else from PowerShell (where wmic is no longer installed), else as the machine writes them.
rem Substrings by percent expansion: Wine's cmd takes them only in that form.
:stamp
set "NOW="
for /f "tokens=1 delims=. " %%T in ('wmic os get LocalDateTime 2^>nul') do call :digits %%T
if not defined NOW for /f %%T in ('powershell -NoProfile -NonInteractive -Command "Get-Date -Format yyyyMMddHHmmss" 2^>nul') do call :digits %%T
set "STAMP=%DATE% %TIME%"
if defined NOW set "STAMP=%NOW:~0,4%-%NOW:~4,2%-%NOW:~6,2% %NOW:~8,2%:%NOW:~10,2%:%NOW:~12,2%"
goto :eof

rem Takes %1 as the time when it is yyyymmddhhmmss: fourteen characters, a digit first (the
rem other lines of wmic's answer are its heading and blanks).
:digits
if defined NOW goto :eof
set "D=%~1"
if "%D:~0,1%" lss "0" goto :eof
if "%D:~0,1%" gtr "9" goto :eof
if "%D:~13,1%"=="" goto :eof
if not "%D:~14,1%"=="" goto :eof
set "NOW=%D%"
goto :eof
