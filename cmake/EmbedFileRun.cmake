file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line.
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT} "// Generated from ${IN}; do not edit.\n"
  "#include \"classlib/application/resources_host.h\"\n"
  "namespace {\n"
  "const unsigned char kData[] = {\n${bytes}0x00};\n"
  "const classlib::host::ResourceRegistration kRegistration{\"${NAME}\", kData, ${size}};\n"
  "}  // namespace\n")
