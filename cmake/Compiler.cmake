# Flags shared by every build. Chinese literals are written in UTF-8 and compiled
# to GBK, the program's own code page (MSVC: /source-charset:utf-8 /execution-charset:.936).
if(MSVC)
  add_compile_options(/W4 /source-charset:utf-8 /execution-charset:.936)
else()
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow
                      $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8>
                      $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=GBK>)
endif()

if(NOT WIN32)
  option(NEVROLT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
  if(NEVROLT_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
else()
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # Self-contained executables: only DLLs that ship with Windows are imported.
  if(MINGW)
    add_compile_options(-ffunction-sections -fdata-sections)
    add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections)
    add_link_options($<$<CONFIG:MinSizeRel,Release>:-s>)
    # Reproducible binaries: two builds of the same source give the same bytes.
    # ld writes the link time (or SOURCE_DATE_EPOCH) into the PE header and the
    # DLL export directory; 0 is written instead, whatever the environment.
    add_link_options(-Wl,--no-insert-timestamp)
    # Any path the compiler records (__FILE__, debug info) names the source and
    # build folders as ".", so the folder a build runs in cannot show. The build
    # folder comes last so that it is mapped first when inside the source folder.
    add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>
                        $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=.>)
  else()
    set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  endif()
endif()
