# Copies the pictures and sounds that ship beside the program into the program folder; a data
# folder that does not exist is skipped.
#   cmake -DSOURCE=data -DTARGET=program -P CopyProgramData.cmake
foreach(folder Image Sound)
    if(IS_DIRECTORY ${SOURCE}/${folder})
        file(COPY ${SOURCE}/${folder} DESTINATION ${TARGET})
    endif()
endforeach()
