#!/bin/sh
# Shows the slides of the folder it is given.
echo "Sample Viewer: $1"
