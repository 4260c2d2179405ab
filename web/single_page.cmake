# The page folder as one HTML file: the style sheet and both scripts inside
# it. cmake -DPAGE=folder -DOUT=file -P single_page.cmake
file(READ ${PAGE}/index.html html)
file(READ ${PAGE}/field.css css)
file(READ ${PAGE}/vcurve-engine.js engine)
file(READ ${PAGE}/field.js script)
foreach(part css engine script)
  if(${part} MATCHES "</(script|style)")
    message(FATAL_ERROR "${part} holds a closing tag and cannot be inlined")
  endif()
endforeach()
# Nothing to install from a single file: no manifest.
string(REPLACE "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n" "" html "${html}")
string(REPLACE "<link rel=\"icon\" href=\"icon.svg\">\n" "" html "${html}")
string(REPLACE "<link rel=\"stylesheet\" href=\"field.css\">" "<style>\n${css}</style>" html "${html}")
string(REPLACE "<script src=\"vcurve-engine.js\"></script>" "<script>\n${engine}</script>" html
               "${html}")
string(REPLACE "<script src=\"field.js\"></script>" "<script>\n${script}</script>" html "${html}")
file(WRITE ${OUT} "${html}")
