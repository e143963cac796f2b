# Turns a mole drawing into its caught form, so that both forms share every element of the body.
#
#   cmake -DIN=mole.svg -DOUT=caught.svg -P svg_variant.cmake
#
# The drawing marks what only the awake mole shows as <!--awake--> ... <!--/awake-->, and carries what only
# the caught mole shows commented out as <!--caught ... caught-->. Viewed as it is, the file shows the awake
# mole; here the awake parts are dropped and the caught parts uncommented.
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED IN OR NOT DEFINED OUT)
  message(FATAL_ERROR "svg_variant.cmake needs -DIN=... and -DOUT=...")
endif()

file(READ "${IN}" text)

function(drop_blocks begin end var)
  set(body "${${var}}")
  string(LENGTH "${end}" end_length)
  while(TRUE)
    string(FIND "${body}" "${begin}" first)
    if(first EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${body}" ${first} -1 rest)
    string(FIND "${rest}" "${end}" last)
    if(last EQUAL -1)
      message(FATAL_ERROR "${IN}: ${begin} without ${end}")
    endif()
    math(EXPR after "${first} + ${last} + ${end_length}")
    string(SUBSTRING "${body}" 0 ${first} head)
    string(SUBSTRING "${body}" ${after} -1 tail)
    set(body "${head}${tail}")
  endwhile()
  set(${var} "${body}" PARENT_SCOPE)
endfunction()

drop_blocks("<!--awake-->" "<!--/awake-->" text)
string(FIND "${text}" "<!--caught" has_caught)
if(has_caught EQUAL -1)
  message(FATAL_ERROR "${IN}: no <!--caught ... caught--> block")
endif()
string(REPLACE "<!--caught" "" text "${text}")
string(REPLACE "caught-->" "" text "${text}")
file(WRITE "${OUT}" "${text}")
