# Client code of a Wayland protocol, made at build time by wayland-scanner from the checked-in
# description: adds the generated header and glue code to `target` and lets it include the header
# as "<protocol name>-client-protocol.h".
function(snipwell_wayland_protocol target xml)
  get_filename_component(name ${xml} NAME_WE)
  set(dir ${CMAKE_BINARY_DIR}/wayland-protocols)
  file(MAKE_DIRECTORY ${dir})
  set(header ${dir}/${name}-client-protocol.h)
  set(code ${dir}/${name}-protocol.c)
  if(NOT TARGET wayland_protocol_${name})
    add_custom_command(
      OUTPUT ${header} ${code}
      COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header}
      COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
      DEPENDS ${xml}
      COMMENT "Generating the ${name} protocol code"
      VERBATIM)
    add_custom_target(wayland_protocol_${name} DEPENDS ${header} ${code})
  endif()
  add_dependencies(${target} wayland_protocol_${name})
  target_sources(${target} PRIVATE ${code})
  set_source_files_properties(${code} PROPERTIES GENERATED TRUE)
  target_include_directories(${target} PRIVATE ${dir})
  target_link_libraries(${target} PRIVATE PkgConfig::WAYLAND)
endfunction()
