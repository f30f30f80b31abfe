// The library's exported entry points (filled in with the automation layer).
