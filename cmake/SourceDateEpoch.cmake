# The time every file in the .deb and the zips carries: the last commit's, so that two builds of
# one commit give the same bytes wherever and whenever they run. A SOURCE_DATE_EPOCH the caller
# set wins (a distribution's build sets its own); outside git, as in an unpacked source tarball,
# the newest changelog entry's date stands in. Found when the tree is configured, which the
# Makefile's commands do every time. Sets NUIKARO_SOURCE_DATE_EPOCH, and
# NUIKARO_SOURCE_DATE_EPOCH_FILE: a file holding it, rewritten only when it changes, for what is
# stamped to depend on.
function(nuikaro_source_date_epoch out)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(${out} $ENV{SOURCE_DATE_EPOCH} PARENT_SCOPE)
    return()
  endif()
  execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(failed OR NOT epoch MATCHES "^[0-9]+$")
    # The trailer line: " -- Name <address>  Mon, 07 Dec 2026 12:00:00 +0000".
    set(changelog ${PROJECT_SOURCE_DIR}/linux/packaging/changelog)
    file(STRINGS ${changelog} trailer ENCODING UTF-8 REGEX "^ -- " LIMIT_COUNT 1)
    string(REGEX REPLACE "^ -- [^>]*>  " "" date "${trailer}")
    execute_process(COMMAND date -d "${date}" +%s
      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
    if(failed OR trailer STREQUAL date OR NOT epoch MATCHES "^[0-9]+$")
      message(FATAL_ERROR "Not in git, and no date in the first entry of ${changelog}")
    endif()
  endif()
  set(${out} ${epoch} PARENT_SCOPE)
endfunction()

nuikaro_source_date_epoch(NUIKARO_SOURCE_DATE_EPOCH)
set(NUIKARO_SOURCE_DATE_EPOCH_FILE ${PROJECT_BINARY_DIR}/source-date-epoch.txt)
file(CONFIGURE OUTPUT ${NUIKARO_SOURCE_DATE_EPOCH_FILE} CONTENT "${NUIKARO_SOURCE_DATE_EPOCH}\n")
