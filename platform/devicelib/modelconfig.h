#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// What the virtual devices take from the shipped model configuration file
// (<app folder>/usersetting/Config.ini): the identifier lists enumeration is matched against, and
// each model's factory settings. The device library reads the file on its own, as a device's
// firmware carries its own factory settings: it never uses the program's configuration store, but
// decodes the file with the same reader (ConfigIniFile), so both see the same values. Each call
// reads the file afresh, so it is safe from any thread.
namespace ModelConfig {

struct Identifiers
{
    int cid = 0;
    QStringList vids;
    QStringList usbPids;
    QStringList wirelessPids[4]; // receiver classes 1, 2, 4, 8
};

struct Model
{
    int section = 0; // N of Drive<N>; 0 when no model matched
    int mid = 0;
    QVector<QStringList> keyParams; // KeyParam1.. in order; an empty list where a key is missing
    int dpiMaxGrade = 0;
    QStringList dpiGrade;
    QStringList dpiColor;
    // The model names its firmware images carry: the mouse's (MM) and the receiver's of classes
    // 1, 2, 4 and 8 (DM, D2M, D4M, D8M); empty where the file names none.
    QString mouseImageName;
    QString receiverImageNames[4];
};

// The index into Model::receiverImageNames of a receiver connection of kind 0, 4, 1 or 5; -1 for
// any other kind.
int receiverClassIndex(int kind);

QString filePath();
Identifiers identifiers();
// The Drive<N> section whose MID is mid (the customer identifier is the file's one CID).
Model model(int mid);
// The model identifiers of every Drive<N>, N = 1..DeviceTotal.
QVector<int> modelIds();

} // namespace ModelConfig
