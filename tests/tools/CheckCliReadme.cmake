cmake_minimum_required(VERSION 3.25)
# Fails when the README's command lines ("    numora-cli [--dir CARTELLA] SYNOPSIS  # ...") are not
# the commands of `CLI --help`, in its order: the usage is written from the commands' grammar, so
# this keeps the README in step with what numora-cli accepts.
execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE help RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${CLI} --help exited with ${code}")
endif()
set(prefix "    numora-cli [--dir CARTELLA] ")
string(LENGTH "${prefix}" prefixLength)

# The program's lines: two blanks, the synopsis, then two blanks and the description (or nothing).
set(fromHelp "")
string(REPLACE "\n" ";" lines "${help}")
foreach(line IN LISTS lines)
  if(line MATCHES "^  [a-z]")
    string(SUBSTRING "${line}" 2 -1 synopsis)
    string(FIND "${synopsis}" "  " end)
    string(SUBSTRING "${synopsis}" 0 ${end} synopsis)
    string(APPEND fromHelp "${synopsis}\n")
  endif()
endforeach()

file(STRINGS ${README} lines)
set(fromReadme "")
foreach(line IN LISTS lines)
  string(FIND "${line}" "${prefix}" at)
  if(at EQUAL 0)
    string(SUBSTRING "${line}" ${prefixLength} -1 synopsis)
    string(FIND "${synopsis}" "#" end)
    string(SUBSTRING "${synopsis}" 0 ${end} synopsis)
    string(STRIP "${synopsis}" synopsis)
    string(APPEND fromReadme "${synopsis}\n")
  endif()
endforeach()

if(fromHelp STREQUAL "")
  message(FATAL_ERROR "${CLI} --help lists no command")
endif()
if(NOT fromHelp STREQUAL fromReadme)
  message(FATAL_ERROR "The README's command lines differ from numora-cli --help.\n"
                      "numora-cli --help:\n${fromHelp}README:\n${fromReadme}")
endif()
