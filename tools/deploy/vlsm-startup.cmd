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
rem The tool is taken from %VLSM% when set, else from the program's install folder.
rem Delayed expansion keeps quotes and ampersands in vlsm's messages from being read as commands.
setlocal EnableDelayedExpansion

set "SCHEMES=%~1"
if "%SCHEMES%"=="" set "SCHEMES=\\school\netlogon\vexar\school.esm"
set "LOG=%~2"
if "%LOG%"=="" set "LOG=%SystemRoot%\Temp\vlsm-startup.log"
if not "%VLSM%"=="" goto found
set "VLSM=%ProgramFiles%\Orrinford\Vexar Lumen Scheme Manager\vlsm.exe"
rem The program is 32-bit: on 64-bit Windows it lives below "Program Files (x86)".
if exist "%ProgramFiles(x86)%\Orrinford\Vexar Lumen Scheme Manager\vlsm.exe" set "VLSM=%ProgramFiles(x86)%\Orrinford\Vexar Lumen Scheme Manager\vlsm.exe"
:found
rem Each run of vlsm writes a file of its own: a file just read can still be held open, and a
rem redirection that fails runs nothing while leaving the last exit code in place.
set "OUT=%TEMP%\vlsm-startup-%RANDOM%"
set "CHECK="
set "STATUS="
set "EXACT="
set "WRONG="
call :option "%~3"
call :option "%~4"
call :option "%~5"
if not "%~6"=="" set "WRONG=wrong usage: more than five parameters"
if not defined WRONG goto options
set RESULT=2
set "SAID=!WRONG!"
goto done
:options
set "REPORT="
if defined STATUS set REPORT=--report "!STATUS!"
set "NOTE="

:verify
"%VLSM%" verify "%SCHEMES%" %CHECK% %EXACT% %REPORT% >"%OUT%-verify.txt" 2>&1
set RESULT=%ERRORLEVEL%
call :last verify
if not "%RESULT%"=="0" goto differs
set "SAID=!LAST!"
goto done

:differs
if "%RESULT%"=="1" goto import
set "SAID=verify failed: !LAST!"
goto done

:import
set "FOUND=!LAST!"
"%VLSM%" import "%SCHEMES%" %CHECK% %EXACT% %REPORT% >"%OUT%-import.txt" 2>&1
set RESULT=%ERRORLEVEL%
call :last import
if not "%RESULT%"=="0" goto failed
set "SAID=imported: !FOUND!"
goto done

:failed
set "SAID=import failed: !LAST!"

:done
call :stamp
>>"%LOG%" echo !STAMP! %COMPUTERNAME% exit %RESULT% !SAID!!NOTE!
del "%OUT%-verify.txt" "%OUT%-import.txt" >nul 2>&1
exit /b %RESULT%

rem The third to fifth parameter: --require-checksum, --exact, or the status folder.
:option
if "%~1"=="" goto :eof
if /i "%~1"=="--require-checksum" (
    set "CHECK=--require-checksum"
    goto :eof
)
if /i "%~1"=="--exact" (
    set "EXACT=--exact"
    goto :eof
)
set "ARG=%~1"
if "%ARG:~0,1%"=="-" (
    set "WRONG=wrong usage: the only options are --require-checksum and --exact"
    goto :eof
)
if defined STATUS (
    set "WRONG=wrong usage: one status folder"
    goto :eof
)
set "STATUS=%~1"
goto :eof

rem The last line vlsm printed for command %1, for the log; a run that never started is exit 3.
rem A status record that vlsm could not write is said at the end of the log line instead.
:last
set "LAST="
set "NOTE="
if not exist "%OUT%-%1.txt" (
    set RESULT=3
    set "LAST=vlsm could not be run: %VLSM%"
    goto :eof
)
set "PREV="
for /f "usebackq delims=" %%L in ("%OUT%-%1.txt") do (
    set "PREV=!LAST!"
    set "LAST=%%L"
)
rem vlsm says so on its last line.
find "vlsm: status record not written:" "%OUT%-%1.txt" >nul 2>&1
if not errorlevel 1 (
    set "LAST=!PREV!"
    set "NOTE=; status record not written to !STATUS!"
)
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
