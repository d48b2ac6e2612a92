# Puts the runtime's JavaScript and host.js into page.html.
#   -DPAGE=page.html -DHOST=host.js -DRUNTIME=hakoniwa-runtime.js -DOUT=hakoniwa-web.html
file(READ "${PAGE}" page)
file(READ "${RUNTIME}" runtime)
file(READ "${HOST}" host)
string(FIND "${runtime}" "</script" inside)
if(NOT inside EQUAL -1)
    message(FATAL_ERROR "${RUNTIME} holds </script and cannot go inside the page")
endif()
string(REPLACE "@HAKONIWA_RUNTIME@" "${runtime}" page "${page}")
string(REPLACE "@HAKONIWA_HOST@" "${host}" page "${page}")
file(WRITE "${OUT}" "${page}")
