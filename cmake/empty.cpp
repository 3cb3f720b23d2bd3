// Nothing: keeps a layer linkable before its folder has files.
