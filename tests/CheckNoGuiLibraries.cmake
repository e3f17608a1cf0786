# A core-only executable must not load any GUI toolkit library.
execute_process(COMMAND ldd "${TARGET_FILE}" OUTPUT_VARIABLE libs RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "ldd failed on ${TARGET_FILE}")
endif()
if(libs MATCHES "libQt|libgtk|libwx")
    message(FATAL_ERROR "GUI library linked into a core executable:\n${libs}")
endif()
