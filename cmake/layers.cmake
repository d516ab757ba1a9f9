# The folders as layers: one static library per folder, kesta_<folder>, lowest first. Each layer
# lists the folders below it that it may include (with everything those include); it links their
# libraries and compiles against an include tree of its own, build/layers/<folder>/, holding only
# those folders and itself, so an include in the wrong direction does not build. resources/
# holds headers only. Tests and their programs see the whole tree.
set(KESTA_LAYER_settings resources)
set(KESTA_LAYER_figures settings resources)
set(KESTA_LAYER_render figures settings resources)
set(KESTA_LAYER_saver figures settings resources)
set(KESTA_LAYER_fitter figures settings resources)
set(KESTA_LAYER_glyphs fitter figures settings resources)
set(KESTA_LAYER_figurefile glyphs fitter figures settings resources)
set(KESTA_LAYER_importer figurefile glyphs fitter figures settings resources)
set(KESTA_LAYER_dialog figurefile glyphs fitter figures settings resources)
set(KESTA_LAYER_app dialog figurefile glyphs fitter render saver figures settings resources)
set(KESTA_LAYER_tools figurefile glyphs fitter figures settings resources)
# Folders of headers alone, with no library to link.
set(KESTA_HEADER_LAYERS resources)

# Compiles `target` against the include tree of `layer`.
function(kesta_layer_includes target layer)
    set(tree ${CMAKE_BINARY_DIR}/layers/${layer})
    file(MAKE_DIRECTORY ${tree})
    foreach(folder ${layer} ${KESTA_LAYER_${layer}})
        if(NOT IS_SYMLINK ${tree}/${folder})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${tree}/${folder} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} PRIVATE ${tree})
endfunction()

# kesta_layer(folder [EXCLUDE regex]): the folder's library from every *.cpp in it (new files
# join by themselves), without the *_win32.cpp files outside Windows and without the files the
# regex matches (an entry procedure, say).
function(kesta_layer layer)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "EXCLUDE" "")
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${layer}/*.cpp)
    if(NOT WIN32)
        list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
    endif()
    if(arg_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${arg_EXCLUDE}")
    endif()
    add_library(kesta_${layer} STATIC ${sources})
    kesta_layer_includes(kesta_${layer} ${layer})
    foreach(folder ${KESTA_LAYER_${layer}})
        if(folder IN_LIST KESTA_HEADER_LAYERS)
            continue()
        endif()
        if(NOT TARGET kesta_${folder})
            message(FATAL_ERROR "kesta_${layer} needs kesta_${folder}, which is not defined yet: "
                "define the layers lowest first (kesta_all_layers)")
        endif()
        target_link_libraries(kesta_${layer} PUBLIC kesta_${folder})
    endforeach()
    if(KESTA_FUZZ AND NOT WIN32)
        # Coverage for libFuzzer in the product code itself, not only in the fuzz targets.
        target_compile_options(kesta_${layer} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
endfunction()

# Every folder's library, lowest first, so that each links the libraries below it: the fitter,
# the glyph reader and the settings file's figures below both the console program (importer/)
# and the dialog, which offers their stages in the words dialog; the program's shell (app/) only
# where it builds, on Windows. The entry procedures (app/winmain.cpp, importer/main_win32.cpp)
# belong to their programs, not to the libraries that tests link.
function(kesta_all_layers)
    foreach(layer settings figures render saver fitter glyphs figurefile)
        kesta_layer(${layer})
    endforeach()
    kesta_layer(importer EXCLUDE "/importer/main_win32\\.cpp$")
    kesta_layer(dialog)
    if(WIN32)
        kesta_layer(app EXCLUDE "/app/winmain\\.cpp$")
    endif()
endfunction()

# A test or test program: it may include anything in the tree.
function(kesta_test_includes target)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
