# Copies what ships beside the program (pictures, sounds, the local web pages and the documents)
# into the program folder; a data folder that does not exist is skipped.
#   cmake -DSOURCE=data -DTARGET=program -P CopyProgramData.cmake
foreach(folder Image Sound Site)
    if(IS_DIRECTORY ${SOURCE}/${folder})
        file(COPY ${SOURCE}/${folder} DESTINATION ${TARGET})
    endif()
endforeach()
# The documents the information pages open lie in the program folder itself.
file(GLOB documents ${SOURCE}/documents/*)
if(documents)
    file(COPY ${documents} DESTINATION ${TARGET})
endif()
