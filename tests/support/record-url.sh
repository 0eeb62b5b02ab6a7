#!/bin/sh
# Stands in for the web browser in tests: Wine hands it every address the shell opens.
printf '%s\n' "$1" >> /tmp/gs-url.log
