s = 0
def ajoute():
    global s
    s = s + i
for i in range(1, 200001):
    ajoute()
print(s)
