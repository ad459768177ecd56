# Each library exports only its own headers. The headers of a folder are linked into
# <build>/include/<target>/<folder>/, and that tree is the library's include folder, so a
# "folder/Header.h" include only resolves through a library the including target links.
#
#   quillora_export_headers(<target> [SUBDIRS <subfolder>...])
#
# SUBDIRS names subfolders whose headers belong to the same library (imaging/sane); subfolders
# that are libraries of their own (settings/ui) are left to them.
function(quillora_export_headers target)
  cmake_parse_arguments(ARG "" "" "SUBDIRS" ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(sub IN LISTS ARG_SUBDIRS)
    list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.h)
  endforeach()
  file(GLOB headers CONFIGURE_DEPENDS ${patterns})

  file(REMOVE_RECURSE ${root})
  foreach(header IN LISTS headers)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${header})
    get_filename_component(folder ${root}/${relative} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${header} ${root}/${relative} SYMBOLIC COPY_ON_ERROR)
  endforeach()

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
