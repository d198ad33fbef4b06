# Copies the pictures (and nothing else) from one folder to another:
#   cmake -DFROM=<picture folder> -DTO=<destination> -P copypictures.cmake
file(GLOB pictures ${FROM}/*.jpg)
file(COPY ${pictures} DESTINATION ${TO})
