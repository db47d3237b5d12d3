#!/usr/bin/env python3
"""Prints what the MSI's tables say beyond its files, one fact a line, for msi.sh to compare
with msi-tabellen.txt: what wixl cannot express and BuildMsi.cmake sets afterwards, the
settings it writes, the data folder's rights, the start-menu entry, the launch conditions.
Usage: msi-tabellen.py KVOTLK.msi"""
import subprocess
import sys


def table(msi, name):
    text = subprocess.run(["msiinfo", "export", msi, name], capture_output=True, check=True,
                          text=True, errors="replace").stdout
    lines = text.replace("\r", "").splitlines()
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:] if line]


def main(msi):
    components = {row["Component"]: row for row in table(msi, "Component")}
    for row in table(msi, "File"):
        component = components[row["Component_"]]
        if component["Attributes"] != "256":
            print("Datei", row["FileName"], "Attribute", component["Attributes"])
    for name, row in sorted(components.items()):
        if row["Directory_"] == "DATENORDNER":
            print("Komponente", name, "Attribute", row["Attributes"], "Bedingung", row["Condition"] or "-")
    for row in sorted(table(msi, "Registry"), key=lambda r: (r["Key"], r["Name"])):
        print("Registrierung", row["Root"], row["Key"], row["Name"], row["Value"], row["Component_"])
    for row in table(msi, "MsiLockPermissionsEx"):
        print("Rechte", row["LockObject"], row["Table"], row["SDDL"])
    for row in table(msi, "Shortcut"):
        print("Verknüpfung", row["Directory_"], row["Name"], row["Target"], row["WkDir"])
    for row in table(msi, "Property"):
        if row["Property"] in ("ALLUSERS", "SecureCustomProperties", "ProductLanguage"):
            print("Eigenschaft", row["Property"], row["Value"])
    for row in table(msi, "LaunchCondition"):
        print("Startbedingung", row["Condition"], "|", row["Description"])


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
